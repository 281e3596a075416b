// Every control's paint leaves the DC it draws on with the pen, brush, font and bitmap it
// found there. Wine lets a selected object be deleted, so an object left selected, or deleted
// while selected, shows neither in the live count nor as handle exhaustion: it is seen here,
// on a DC the test owns and has put objects of its own into.
#include "controls/bitmap_combo_box.h"
#include "controls/bitmap_slider.h"
#include "controls/hover_button.h"
#include "framework/brush.h"
#include "framework/font.h"
#include "tests/controls/combo_images.h"
#include "tests/controls/pixels.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>

using namespace test_images;

namespace {

struct Selected {
    HGDIOBJ pen, brush, font, bitmap;
    bool operator==(const Selected&) const = default;
};

Selected selectedIn(HDC dc) {
    return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH),
            GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_BITMAP)};
}

// Paints through `paint` on a cleared canvas: the objects stay, and something was drawn.
void expectRestored(Canvas& canvas, const Selected& before, const std::function<void()>& paint,
                    const char* what) {
    canvas.fill(RGB(1, 2, 3));
    paint();
    EXPECT_TRUE(selectedIn(canvas.dc()) == before) << what;
    EXPECT_LT(canvas.count({0, 0, 60, 12}, RGB(1, 2, 3)), 60 * 12) << what << " drew nothing";
}

TEST(Paint, EveryControlLeavesTheDcsObjectsAsItFoundThem) {
    HMODULE images = GetModuleHandleW(nullptr);
    RecordingParent parent{RecordingParent::Shown::Later};
    CHoverButtonV2 button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{20, 30, 80, 54},
                              &parent, 1030));
    button.SetBitmaps(kButtonA, kButtonB, kButtonC, -1, -1, -1, -1, images);
    button.SetTextStyle(14, L"Arial", RGB(255, 255, 255), 0, 0, 0, TRUE, FALSE, FALSE, FALSE);
    button.SetCaption(L"OK");
    CBitmapSliderCtrl slider;
    ASSERT_TRUE(slider.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{20, 80, 300, 90},
                              &parent, 1012));
    slider.SetRange(1.0f, 20.0f);
    slider.SetThumbTop(0);
    slider.SetBitmaps(images, kChannelImage, kChannelDisabledImage, kChannelImage, kThumbOdd,
                      kThumbOddAlpha, kThumbOddHit);
    slider.SetChannelSpan(9, 261);
    slider.SetPos(1.0f);
    CBitmapComboBox box;
    ASSERT_TRUE(
        box.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{20, 130, 85, 144}, &parent, 1003));
    box.SetDropHeight(67);
    box.SetBitmaps(combo_images::kNormal.id, -1, combo_images::kActive.id, -1, -1, images);
    box.SetColors(RGB(20, 22, 26), RGB(255, 255, 255), RGB(236, 115, 35), 0, 0, RGB(0, 200, 0));
    for (const wchar_t* text : {L"400", L"800", L"1600", L"3200", L""})
        box.AddString(text);
    box.SetCurSel(1);
    parent.show();

    Canvas canvas(300, 100);
    CPen pen;
    CBrush brush;
    CFont font;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(8, 8, 8)));
    ASSERT_TRUE(font.CreateSkinFont(20, 0, 0, 0, 0, L"Arial"));
    ScopedSelection ownPen(canvas.dc(), pen.GetSafeHandle());
    ScopedSelection ownBrush(canvas.dc(), brush.GetSafeHandle());
    ScopedSelection ownFont(canvas.dc(), font.GetSafeHandle());
    const Selected before = selectedIn(canvas.dc());

    DRAWITEMSTRUCT item = {
        ODT_BUTTON, 1030, 0, ODA_DRAWENTIRE, 0, button.m_hWnd, canvas.dc(), RECT{0, 0, 60, 24}, 0};
    expectRestored(
        canvas, before, [&] { button.DrawItem(&item); }, "button");
    button.SetCheck(1);
    expectRestored(
        canvas, before, [&] { button.DrawItem(&item); }, "checked button");
    auto print = [&](const CWnd& window) {
        window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    };
    expectRestored(
        canvas, before, [&] { print(slider); }, "slider");
    slider.EnableWindow(FALSE);
    expectRestored(
        canvas, before, [&] { print(slider); }, "disabled slider");
    expectRestored(
        canvas, before, [&] { print(box); }, "box");
    CComboBoxList* list = box.GetList();
    ASSERT_NE(list, nullptr);
    list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 8)); // the first row gets the hover bar
    expectRestored(
        canvas, before, [&] { print(*list); }, "list");
}

} // namespace
