// Shows every skinned control in each of its states on the real skin library, for a
// screenshot: the Main page's controls at their places on the page background, and a grid of
// each button in each state, sliders at several positions, combo boxes closed and open.
// Writes "ready" into the current folder once drawn and waits for a "done" file there.
#include "app/button_style.h"
#include "app/window_layout.h"
#include "controls/bitmap_combo_box.h"
#include "controls/bitmap_slider.h"
#include "controls/hover_button.h"
#include "controls/image_library.h"
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

using layout::Control;
using namespace layout::id;

const Control& rowOf(int id) {
    for (const Control& row : layout::kControls)
        if (row.id == id) return row;
    return layout::kControls[0];
}

// Buttons of the state grid: one of each kind of the window's hover buttons.
constexpr int kGridButtons[] = {kMainTab, kOptionsTab, kMinimise,       kClose,           kOk,
                                kRate125, kOnePage,    kAccelerationOn, kAccelerationOff, kSwapOn};

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
            MsimgTransparentBlt(dc, kPage.x, kPage.y, size.cx, size.cy, source, 0, 0, size.cx,
                                size.cy, kTransparentColour);
        }
        SetTextColor(dc, kLabel);
        SetBkMode(dc, TRANSPARENT);
        for (const auto& [at, text] : labels)
            TextOutW(dc, at.x, at.y, text.c_str(), int(text.size()));
    }
};

class Preview {
  public:
    explicit Preview(HMODULE skin) : m_skin(skin) {
        LoadSkinColour(skin, 140, kPaddedColourFormat, m_colours.caption);
        LoadSkinColour(skin, 142, kPlainColourFormat, m_listColour2);
        m_window.skin = skin;
        m_window.CreateEx(0, nullptr, L"controls preview", WS_POPUP, RECT{0, 0, 1270, 1000},
                          nullptr, 0);
    }

    void build() {
        label(kPage.x, 8, L"Main page, controls at their places (sample states)");
        for (const Control& row : layout::kControls) {
            if (row.page == layout::Page::Options) continue;
            int x = kPage.x + row.rect.left, y = kPage.y + row.rect.top;
            if (row.kind == layout::Kind::Slider)
                slider(row.id, x, y, row.id == kSensitivity ? 10.5f : 3.0f);
            if (row.kind == layout::Kind::List) combo(row.id, x, y, row.id == kCpi1List ? 1 : 2);
            if (row.kind != layout::Kind::HoverButton) continue;
            CHoverButtonV2& b = button(row, x, y);
            for (int checked : {kProfile1, kRate1000, kAccelerationOn, kSwapOff})
                if (row.id == checked) b.SetCheck(1);
            if (row.id == kApply) b.SendMessage(WM_MOUSEHOVER, 0, 0);
        }
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

    CHoverButtonV2& button(const Control& row, int x, int y) {
        auto b = std::make_unique<CHoverButtonV2>();
        RECT r = {x, y, x + row.rect.right - row.rect.left, y + row.rect.bottom - row.rect.top};
        b->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, &m_window, UINT(row.id));
        const layout::Margins& m = row.margins;
        if (row.hasMargins) b->SetTextMargins(m.left, m.top, m.right, m.bottom);
        b->SetBitmaps(row.images[0], row.images[1], row.images[2], -1, -1, -1, -1, m_skin);
        b->SetToggle(TRUE);
        styleButton(*b, row, m_colours);
        if (row.caption) b->SetCaption(row.caption);
        if (row.textFormat) b->SetTextFormat(row.textFormat);
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
        for (int id : kGridButtons) {
            const Control& row = rowOf(id);
            for (size_t c = 0; c < std::size(kStates); ++c)
                applyState(button(row, kGridX + 10 + int(c) * 100, y), kStates[c]);
            y += std::max<int>(row.rect.bottom - row.rect.top, 26) + 10;
        }
        label(10, 392, L"Link button (all-magenta image: caption only)");
        for (size_t c = 0; c < 4; ++c) {
            label(10 + int(c) * 250, 410, kStates[c == 3 ? 4 : c].name);
            applyState(button(rowOf(kDownloadsLink), 10 + int(c) * 250, 428),
                       kStates[c == 3 ? 4 : c]);
        }
    }

    // A slider configured as the window configures its slider `id`.
    CBitmapSliderCtrl& slider(int id, int x, int y, float pos) {
        const layout::Slider& t = id == kSensitivity ? layout::kSliders[0] : layout::kSliders[1];
        auto s = std::make_unique<CBitmapSliderCtrl>();
        const layout::Rect& r = rowOf(id).rect;
        s->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                  RECT{x, y, x + r.right - r.left, y + r.bottom - r.top}, &m_window, UINT(id));
        s->SetRange(t.minimum, t.maximum);
        s->SetThumbTop(layout::kSliderThumbTop);
        s->SetBitmaps(m_skin, t.channel, t.channelDisabled, t.spare, t.thumb, t.thumbAlpha,
                      t.thumbHitMask);
        s->SetHitColour(layout::kSliderHitColour);
        s->SetChannelSpan(layout::kSliderChannelStart, layout::kSliderChannelEnd);
        s->SetPageStep(layout::kSliderPageStep);
        s->SetPos(pos);
        m_sliders.push_back(std::move(s));
        return *m_sliders.back();
    }

    void buildSliders() {
        label(10, 470, L"Sensitivity slider (1 to 20) at 1, 5, 10.5, 20; disabled at 5");
        const float positions[] = {1.0f, 5.0f, 10.5f, 20.0f};
        for (int i = 0; i < 4; ++i)
            slider(kSensitivity, 10 + (i % 2) * 300, 490 + (i / 2) * 40, positions[i]);
        slider(kSensitivity, 610, 490, 5.0f).EnableWindow(FALSE);
        label(10, 575, L"Wheel slider (1 to 100) at 1, 50, 100; disabled at 50");
        const float wheel[] = {1.0f, 50.0f, 100.0f};
        for (int i = 0; i < 3; ++i)
            slider(kWheel, 10 + i * 300, 595, wheel[i]);
        slider(kWheel, 910, 595, 50.0f).EnableWindow(FALSE);
    }

    // A list configured as the window configures its list `id`, with entry `sel` selected.
    CBitmapComboBox& combo(int id, int x, int y, int sel) {
        const Control& row = rowOf(id);
        const layout::List* list = &layout::kLists[0];
        for (const layout::List& l : layout::kLists)
            if (l.id == id) list = &l;
        auto box = std::make_unique<CBitmapComboBox>();
        const layout::Rect& r = row.rect;
        box->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                    RECT{x, y, x + r.right - r.left, y + r.bottom - r.top}, &m_window, UINT(id));
        box->SetDropHeight(list->dropHeight);
        box->SetBitmaps(row.images[0], row.images[1], row.images[2], row.images[3], row.images[4],
                        m_skin);
        box->SetColors(kListBack, m_colours.caption, kAccent, kListBack, m_listColour2,
                       m_colours.caption);
        for (int i = 0; i < list->entryCount; ++i)
            box->AddString(list->entries[i]);
        box->SetCurSel(sel);
        m_combos.push_back(std::move(box));
        return *m_combos.back();
    }

    void buildCombos() {
        label(10, 650,
              L"CPI lists: closed, hovered, open (pointer on the second row), empty item; "
              L"language list");
        combo(kCpi1List, 10, 672, 1);
        combo(kCpi1List, 160, 672, 2).SendMessage(WM_MOUSEHOVER, 0, 0);
        m_openBox = &combo(kCpi1List, 310, 672, 0);
        combo(kCpi1List, 460, 672, 4);
        combo(kLanguageList, 610, 672, 0);
    }

    HMODULE m_skin;
    CaptionColours m_colours = {RGB(255, 255, 255), kAccent, kDim};
    COLORREF m_listColour2 = RGB(247, 247, 247);
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
