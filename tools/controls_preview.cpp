// Shows every skinned control in each of its states on the real skin library, for a
// screenshot: the Main page's controls at their places on the page background, and a grid of
// each button in each state, sliders at several positions, combo boxes closed and open.
// Writes "ready" into the current folder once drawn and waits for a "done" file there.
#include "controls/bitmap_combo_box.h"
#include "controls/bitmap_slider.h"
#include "controls/hover_button.h"
#include "controls/skin_colour.h"
#include "controls/skin_image.h"
#include "tests/support/beside_program.h"
#include "tests/support/pump.h"
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPanel = RGB(30, 31, 35);
constexpr COLORREF kLabel = RGB(150, 150, 150);
constexpr COLORREF kAccent = RGB(236, 115, 35);
constexpr COLORREF kDim = RGB(150, 150, 150);
constexpr COLORREF kListBack = RGB(35, 35, 35);
constexpr POINT kPage = {10, 30};
constexpr int kGridX = 610, kGridY = 30;

enum class Style { None, Bold, Option, OptionBold, Plain, Link };

struct ButtonRow {
    int id;
    RECT rect;
    int normal, down, hover;
    const wchar_t* caption;
    Style style;
    int fontHeight;
    RECT margins;
};

// The Main page's hover buttons: rectangles, images, captions, styles and margins.
const ButtonRow kMainButtons[] = {
    {1048, {494, 34, 569, 60}, 244, 245, 245, L"Options", Style::Bold, 14, {1, 0, 0, 0}},
    {1001, {502, 6, 525, 16}, 151, 152, 153, nullptr, Style::None, 0, {}},
    {1002, {529, 6, 552, 16}, 154, 155, 156, nullptr, Style::None, 0, {}},
    {1, {400, 311, 449, 335}, 157, 158, 159, L"OK", Style::Bold, 11, {}},
    {2, {452, 311, 501, 335}, 157, 158, 159, L"CANCEL", Style::Bold, 11, {}},
    {1026, {504, 311, 553, 335}, 157, 158, 159, L"APPLY", Style::Bold, 11, {}},
    {1027, {211, 311, 260, 335}, 157, 158, 159, L"1", Style::Bold, 11, {}},
    {1028, {263, 311, 312, 335}, 157, 158, 159, L"2", Style::Bold, 11, {}},
    {1029, {315, 311, 364, 335}, 157, 158, 159, L"3", Style::Bold, 11, {}},
    {1030, {17, 153, 88, 166}, 224, 225, 226, L"125Hz", Style::Option, 14, {7, 0, 0, 0}},
    {1031, {72, 153, 141, 166}, 224, 225, 226, L"500Hz", Style::Option, 14, {9, 0, 0, 0}},
    {1032, {128, 153, 195, 166}, 224, 225, 226, L"1000Hz", Style::Option, 14, {12, 0, 0, 0}},
    {1044, {273, 242, 340, 257}, 193, 195, 196, L"One Page", Style::Plain, 14, {-4, 0, 0, 0}},
    {1042, {272, 152, 339, 165}, 230, 231, 232, L"Enable", Style::Option, 14, {4, -1, 0, 0}},
    {1043, {346, 152, 413, 155}, 230, 231, 232, L"Disable", Style::Option, 14, {8, -1, 0, 0}},
    {1033, {62, 220, 129, 233}, 227, 228, 229, nullptr, Style::None, 0, {}},
    {1034, {135, 220, 171, 233}, 227, 228, 229, nullptr, Style::OptionBold, 12, {}},
};

// Buttons of the state grid: the Main page's kinds plus the Main tab and a link.
const ButtonRow kGridButtons[] = {
    {1047, {0, 0, 62, 26}, 241, 242, 242, L"Main", Style::Bold, 14, {11, 0, 0, 0}},
    kMainButtons[0],
    kMainButtons[1],
    kMainButtons[2],
    kMainButtons[3],
    kMainButtons[9],
    kMainButtons[12],
    kMainButtons[13],
    kMainButtons[14],
    kMainButtons[15],
};
const ButtonRow kLink = {
    253, {290, 151, 454, 173}, 251, 251, 251, L"Glimmerhaus Pelko Downloads", Style::Link, 14, {}};

struct State {
    const wchar_t* name;
    bool hover, checked, disabled;
};
const State kStates[] = {
    {L"normal", false, false, false},  {L"hover", true, false, false},
    {L"checked", false, true, false},  {L"checked+hover", true, true, false},
    {L"disabled", false, false, true}, {L"disabled+checked", false, true, true}};

class PreviewWindow : public CWnd {
  public:
    HMODULE skin = nullptr;
    std::vector<std::pair<POINT, std::wstring>> labels;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            paintBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

  private:
    void paintBackground(HDC dc) {
        RECT client;
        GetClientRect(&client);
        HBRUSH brush = CreateSolidBrush(kPanel);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        CBitmap page;
        if (LoadSkinImage(page, skin, 162)) {
            ImageDC source(dc, page);
            SIZE size = SkinImageSize(page);
            TransparentBlt(dc, kPage.x, kPage.y, size.cx, size.cy, source, 0, 0, size.cx, size.cy,
                           kTransparentColour);
        }
        SetTextColor(dc, kLabel);
        SetBkMode(dc, TRANSPARENT);
        for (const auto& [at, text] : labels)
            TextOutW(dc, at.x, at.y, text.c_str(), int(text.size()));
    }
};

struct Colours {
    COLORREF caption = RGB(255, 255, 255);
    COLORREF listColour2 = RGB(247, 247, 247);
};

void styleButton(CHoverButtonV2& button, const ButtonRow& row, const Colours& c) {
    COLORREF cap = c.caption;
    switch (row.style) {
    case Style::None:
        break;
    case Style::Bold:
        button.SetTextStyle(row.fontHeight, L"Arial", cap, cap, kAccent, cap, TRUE, 0, 0, 0);
        break;
    case Style::Option:
    case Style::OptionBold:
        button.SetTextStyle(row.fontHeight, L"Arial", kDim, cap, cap, cap,
                            row.style == Style::OptionBold, 0, 0, 0);
        break;
    case Style::Plain:
        button.SetTextStyle(row.fontHeight, L"Arial", cap, cap, cap, cap, FALSE, 0, 0, 0);
        break;
    case Style::Link:
        button.SetTextStyle(row.fontHeight, L"Arial", cap, cap, kAccent, cap, FALSE, 0, 1, 0);
        break;
    }
    if (row.caption) button.SetCaption(row.caption);
}

class Preview {
  public:
    explicit Preview(HMODULE skin) : m_skin(skin) {
        LoadSkinColour(skin, 140, kPaddedColourFormat, m_colours.caption) ||
            LoadSkinColour(skin, 140, kPlainColourFormat, m_colours.caption);
        LoadSkinColour(skin, 142, kPaddedColourFormat, m_colours.listColour2) ||
            LoadSkinColour(skin, 142, kPlainColourFormat, m_colours.listColour2);
        m_window.skin = skin;
        m_window.CreateEx(0, nullptr, L"controls preview", WS_POPUP, RECT{0, 0, 1270, 1000},
                          nullptr, 0);
    }

    void build() {
        label(kPage.x, 8, L"Main page, controls at their places (sample states)");
        for (const ButtonRow& row : kMainButtons) {
            CHoverButtonV2& b = button(row, kPage.x + row.rect.left, kPage.y + row.rect.top);
            if (row.id == 1027 || row.id == 1032 || row.id == 1042 || row.id == 1034) b.SetCheck(1);
            if (row.id == 1026) b.SendMessage(WM_MOUSEHOVER, 0, 0);
        }
        slider(1012, kPage.x + 273, kPage.y + 90, 20.0f, 234, 233, 238, 10.5f);
        slider(1035, kPage.x + 273, kPage.y + 216, 100.0f, 255, 257, 256, 3.0f);
        combo(1003, kPage.x + 51, kPage.y + 91, 177, 179, 67, 1);
        combo(1004, kPage.x + 166, kPage.y + 91, 177, 179, 67, 2);
        buildGrid();
        buildSliders();
        buildCombos();
    }

    void show() {
        m_window.ShowWindow(SW_SHOWNOACTIVATE);
        m_window.UpdateWindow();
        pumpFor(300);
        // Open one list and hover its second row, as a user pointing at "800" would.
        if (m_openBox) {
            m_openBox->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            if (CComboBoxList* list = m_openBox->GetList())
                list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 16 + 8));
        }
        pumpFor(300);
    }

  private:
    void label(int x, int y, const std::wstring& text) {
        m_window.labels.push_back({{x, y}, text});
    }

    CHoverButtonV2& button(const ButtonRow& row, int x, int y) {
        auto b = std::make_unique<CHoverButtonV2>();
        RECT r = {x, y, x + row.rect.right - row.rect.left, y + row.rect.bottom - row.rect.top};
        b->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, &m_window, UINT(row.id));
        const RECT& m = row.margins;
        if (m.left || m.top || m.right || m.bottom)
            b->SetTextMargins(m.left, m.top, m.right, m.bottom);
        b->SetBitmaps(row.normal, row.down, row.hover, -1, -1, -1, -1, m_skin);
        b->SetToggle(TRUE);
        styleButton(*b, row, m_colours);
        m_buttons.push_back(std::move(b));
        return *m_buttons.back();
    }

    void applyState(CHoverButtonV2& b, const State& s) {
        if (s.hover) b.SendMessage(WM_MOUSEHOVER, 0, 0);
        if (s.checked) b.SetCheck(1);
        if (s.disabled) b.EnableWindow(FALSE);
    }

    void buildGrid() {
        label(kGridX, 8, L"Hover buttons in each state");
        for (size_t c = 0; c < std::size(kStates); ++c)
            label(kGridX + 10 + int(c) * 100, kGridY, kStates[c].name);
        int y = kGridY + 22;
        for (const ButtonRow& row : kGridButtons) {
            for (size_t c = 0; c < std::size(kStates); ++c)
                applyState(button(row, kGridX + 10 + int(c) * 100, y), kStates[c]);
            y += std::max<int>(row.rect.bottom - row.rect.top, 26) + 10;
        }
        label(10, 392, L"Link button (all-magenta image: caption only)");
        for (size_t c = 0; c < 4; ++c) {
            label(10 + int(c) * 250, 410, kStates[c == 3 ? 4 : c].name);
            applyState(button(kLink, 10 + int(c) * 250, 428), kStates[c == 3 ? 4 : c]);
        }
    }

    CBitmapSliderCtrl& slider(int id, int x, int y, float maximum, int channel, int disabled,
                              int spare, float pos) {
        auto s = std::make_unique<CBitmapSliderCtrl>();
        s->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{x, y, x + 262, y + 3}, &m_window,
                  UINT(id));
        s->SetRange(1.0f, maximum);
        s->SetThumbTop(0);
        s->SetBitmaps(m_skin, channel, disabled, spare, 214, 239, 237);
        s->SetHitColour(kHitColour);
        s->SetChannelSpan(9, 261);
        s->SetPageStep(20);
        s->SetPos(pos);
        m_sliders.push_back(std::move(s));
        return *m_sliders.back();
    }

    void buildSliders() {
        label(10, 470, L"Sensitivity slider (1 to 20) at 1, 5, 10.5, 20; disabled at 5");
        const float positions[] = {1.0f, 5.0f, 10.5f, 20.0f};
        for (int i = 0; i < 4; ++i)
            slider(1012, 10 + (i % 2) * 300, 490 + (i / 2) * 40, 20.0f, 234, 233, 238,
                   positions[i]);
        slider(1012, 610, 490, 20.0f, 234, 233, 238, 5.0f).EnableWindow(FALSE);
        label(10, 575, L"Wheel slider (1 to 100) at 1, 50, 100; disabled at 50");
        const float wheel[] = {1.0f, 50.0f, 100.0f};
        for (int i = 0; i < 3; ++i)
            slider(1035, 10 + i * 300, 595, 100.0f, 255, 257, 256, wheel[i]);
        slider(1035, 910, 595, 100.0f, 255, 257, 256, 50.0f).EnableWindow(FALSE);
    }

    CBitmapComboBox& combo(int id, int x, int y, int normal, int active, int drop, int sel) {
        auto box = std::make_unique<CBitmapComboBox>();
        SIZE size = {65, 14};
        box->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{x, y, x + size.cx, y + size.cy},
                    &m_window, UINT(id));
        box->SetDropHeight(drop);
        box->SetBitmaps(normal, active, active, -1, -1, m_skin);
        box->SetColors(kListBack, m_colours.caption, kAccent, kListBack, m_colours.listColour2,
                       m_colours.caption);
        if (id == 247) {
            box->AddString(L"English");
            box->AddString(L"");
        } else {
            for (const wchar_t* text : {L"400", L"800", L"1600", L"3200", L""})
                box->AddString(text);
        }
        box->SetCurSel(sel);
        m_combos.push_back(std::move(box));
        return *m_combos.back();
    }

    void buildCombos() {
        label(10, 650,
              L"CPI lists: closed, hovered, open (pointer on the second row), empty item; "
              L"language list");
        combo(1003, 10, 672, 177, 179, 67, 1);
        combo(1003, 160, 672, 177, 179, 67, 2).SendMessage(WM_MOUSEHOVER, 0, 0);
        m_openBox = &combo(1003, 310, 672, 177, 179, 67, 0);
        combo(1003, 460, 672, 177, 179, 67, 4);
        combo(247, 610, 672, 249, 248, 16, 0);
    }

    HMODULE m_skin;
    Colours m_colours;
    PreviewWindow m_window;
    std::vector<std::unique_ptr<CHoverButtonV2>> m_buttons;
    std::vector<std::unique_ptr<CBitmapSliderCtrl>> m_sliders;
    std::vector<std::unique_ptr<CBitmapComboBox>> m_combos;
    CBitmapComboBox* m_openBox = nullptr;
};

} // namespace

int main() {
    std::wstring library = besideProgram(L"VID_2719&PID_0604&MI_01.dll");
    HMODULE skin = LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!skin) {
        std::fprintf(stderr, "controls preview: cannot load the skin library\n");
        return 1;
    }
    SetCursorPos(1279, 1023);
    Preview preview(skin);
    preview.build();
    preview.show();
    if (FILE* ready = std::fopen("ready", "w")) std::fclose(ready);
    pumpUntil([] { return GetFileAttributesW(L"done") != INVALID_FILE_ATTRIBUTES; }, 60000);
    return 0;
}
