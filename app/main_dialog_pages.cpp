// Painting the page: the background image and the labels of the page shown.
#include "app/main_dialog.h"

#include "framework/dc.h"
#include "framework/dc_scope.h"

namespace {

// DT_NOCLIP: a text wider than its rectangle is drawn whole rather than cut at its left edge.
constexpr UINT kLabelFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

} // namespace

LRESULT CPELKOmouseDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(&client);
    CDC memory;
    CDC target(dc);
    if (memory.CreateCompatibleDC(&target)) {
        ScopedSelection image(memory, background.GetSafeHandle());
        if (image.ok()) ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    paintLabels(dc);
    return result;
}

void CPELKOmouseDlg::paintLabels(HDC dc) {
    ScopedTextStyle style(dc, labelColour, TRANSPARENT);
    ScopedSelection base(dc, fontOf(layout::Font::Base).GetSafeHandle());
    for (int i = 0; i < layout::kLabelCount; ++i) {
        if (labelTexts[i].empty()) continue;
        const layout::Label& label = layout::kLabels[i];
        RECT rect = i == layout::kProfilesLabel
                        ? profilesLabelRect
                        : RECT{label.rect.left, label.rect.top, label.rect.right, label.rect.bottom};
        ScopedSelection font(dc, fontOf(label.font).GetSafeHandle());
        ::DrawTextW(dc, labelTexts[i].c_str(), int(labelTexts[i].size()), &rect, kLabelFormat);
    }
}
