#include "companion/face/display_look.h"

#include "controls/skin_colour.h"
#include "controls/skin_image.h"
#include "framework/brush.h"
#include "framework/dc_scope.h"

#include <algorithm>

namespace {

constexpr UINT kPanelImage = 157;    // the push buttons' normal face
constexpr UINT kCaptionColour = 140; // the push buttons' caption colour
// The panel image's corners and edges: copied as they are, only its middle is stretched.
constexpr int kPanelBorder = 4;

constexpr int kHeight = 56;
constexpr int kMinimumWidth = 200;
constexpr int kMarkSize = 32;
constexpr int kPadding = 14;
constexpr int kMarkGap = 10;
constexpr int kRuleHeight = 2;
constexpr int kRuleGap = 3;

// The plain panel: the window's graphite with its 1-pixel edge.
constexpr COLORREF kPlainFill = RGB(38, 39, 44);
constexpr COLORREF kPlainEdge = RGB(74, 76, 83);

// Copies image over dest's rectangle, its border as it is and its middle stretched.
void stretchAroundBorder(HDC dest, const RECT& area, const CBitmap& image) {
    const SIZE source = SkinImageSize(image);
    ImageDC imageDc(dest, image);
    if (!imageDc.ok()) return;
    const int b = kPanelBorder;
    const int xs[] = {0, b, int(source.cx) - b, int(source.cx)};
    const int ys[] = {0, b, int(source.cy) - b, int(source.cy)};
    const int xd[] = {int(area.left), int(area.left) + b, int(area.right) - b, int(area.right)};
    const int yd[] = {int(area.top), int(area.top) + b, int(area.bottom) - b, int(area.bottom)};
    ::SetStretchBltMode(dest, COLORONCOLOR);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            ::StretchBlt(dest, xd[column], yd[row], xd[column + 1] - xd[column],
                         yd[row + 1] - yd[row], imageDc, xs[column], ys[row],
                         xs[column + 1] - xs[column], ys[row + 1] - ys[row], SRCCOPY);
}

void paintPlainPanel(HDC dc, const RECT& area) {
    CBrush fill, edge;
    fill.CreateSolidBrush(kPlainFill);
    edge.CreateSolidBrush(kPlainEdge);
    ::FillRect(dc, &area, fill.GetSafeHandle());
    ::FrameRect(dc, &area, edge.GetSafeHandle());
}

bool usablePanel(const CBitmap& image) {
    const SIZE size = SkinImageSize(image);
    return size.cx > 2 * kPanelBorder && size.cy > 2 * kPanelBorder;
}

SIZE textSize(HDC dc, HFONT font, const std::wstring& text) {
    ScopedSelection selection(dc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    return size;
}

} // namespace

void loadDisplayLook(DisplayLook& look, HMODULE skin) {
    CBitmap panel;
    if (LoadSkinImage(panel, skin, kPanelImage) && usablePanel(panel))
        look.panel = std::move(panel);
    LoadSkinColour(skin, kCaptionColour, kPaddedColourFormat, look.text);
}

SIZE displaySize(HDC dc, HFONT font, const std::wstring& text) {
    const int width =
        kPadding + kMarkSize + kMarkGap + int(textSize(dc, font, text).cx) + 2 * kPadding;
    return SIZE{std::max(width, kMinimumWidth), kHeight};
}

void paintDisplay(HDC dc, SIZE size, const DisplayLook& look, HICON mark, HFONT font,
                  const std::wstring& text) {
    const RECT area = {0, 0, size.cx, size.cy};
    if (look.panel.GetSafeHandle())
        stretchAroundBorder(dc, area, look.panel);
    else
        paintPlainPanel(dc, area);
    const int markTop = (size.cy - kMarkSize) / 2;
    if (mark)
        ::DrawIconEx(dc, kPadding, markTop, mark, kMarkSize, kMarkSize, 0, nullptr, DI_NORMAL);

    const SIZE extent = textSize(dc, font, text);
    const int textLeft = kPadding + kMarkSize + kMarkGap;
    const int textTop = (size.cy - extent.cy - kRuleGap - kRuleHeight) / 2;
    {
        ScopedSelection selection(dc, font);
        ScopedTextStyle style(dc, look.text, TRANSPARENT);
        ::TextOutW(dc, textLeft, textTop, text.c_str(), int(text.size()));
    }
    // The accent rule under the text, as under the window's section headings.
    CBrush accent;
    accent.CreateSolidBrush(kDisplayAccent);
    const int ruleTop = textTop + extent.cy + kRuleGap;
    const RECT rule = {textLeft, ruleTop, textLeft + extent.cx, ruleTop + kRuleHeight};
    ::FillRect(dc, &rule, accent.GetSafeHandle());
}
