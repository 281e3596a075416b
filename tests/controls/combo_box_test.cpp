// CBitmapComboBox: images and size, the list it makes, selection and its notification, the
// caption, hover, and the release of everything it owns.
#include "controls/skin_image.h"
#include "tests/controls/combo_fixture.h"
#include "tests/support/pump.h"

namespace {

using ComboBox = ComboFixture;
using combo_images::kActive;
using combo_images::kHeight;
using combo_images::kNormal;
using combo_images::kWidth;

const std::initializer_list<const wchar_t*> kPresets = {L"400", L"800", L"1600", L"3200", L""};

TEST_F(ComboBox, WithoutImagesThereIsNoListAndNothingToSelect) {
    RECT rect = {kBoxX, kBoxY, kBoxX + 65, kBoxY + 14};
    ASSERT_TRUE(box.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, kBoxId));
    EXPECT_EQ(box.AddString(L"400", 0), 0);
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_EQ(box.GetCurSel(), -1);
    box.SetCurSel(0, 1);
    EXPECT_TRUE(selChanges().empty());
    // A press opens nothing and breaks nothing.
    click(onBox(10, 5));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ComboBox, TakesItsSizeFromTheNormalImageAndHangsItsHiddenListBelow) {
    createBox(kPresets);
    RECT boxRect;
    box.GetWindowRect(&boxRect);
    EXPECT_EQ(boxRect.right - boxRect.left, kWidth);
    EXPECT_EQ(boxRect.bottom - boxRect.top, kHeight);
    EXPECT_EQ(boxRect.left, 100 + kBoxX); // not moved
    EXPECT_EQ(box.GetCount(), 5);
    EXPECT_EQ(box.GetCurSel(), -1);

    CComboBoxList* list = box.GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->IsWindowVisible());
    EXPECT_EQ(GetAncestor(list->m_hWnd, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(list->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(list->GetDlgCtrlID(), 4100);
    RECT listRect;
    list->GetWindowRect(&listRect);
    EXPECT_EQ(listRect.left, boxRect.left);
    EXPECT_EQ(listRect.top, boxRect.bottom - 1); // one pixel over the box's bottom edge
    EXPECT_EQ(listRect.right - listRect.left, kWidth);
    EXPECT_EQ(listRect.bottom - listRect.top, 67);

    // Absent ids leave the images as they were, and a second call makes no second list.
    EXPECT_TRUE(box.SetBitmaps(4242, 4243, 4244, -1, -1, GetModuleHandleW(nullptr)));
    EXPECT_EQ(box.GetList(), list);
    EXPECT_EQ(box.GetCount(), 5);
    Canvas pixels(box.m_hWnd);
    EXPECT_EQ(pixels.count(RECT{0, 0, kWidth, kHeight}, colourOf(kNormal)), kWidth * kHeight);
}

TEST_F(ComboBox, SetCurSelNotifiesBeforeReturningAndShowsTheItemsText) {
    createBox(kPresets);
    box.SetCurSel(2, 1);
    auto changes = selChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, 2u);
    EXPECT_EQ(changes[0].lParam, static_cast<LPARAM>(kBoxId)); // the id, not the handle
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(Canvas(box.m_hWnd).pixels(),
              expectedCaption(L"1600", colourOf(kNormal), kText, kWidth, kHeight));

    // Outside [0, count): no change, no notification.
    parent.clear();
    box.SetCurSel(5, 1);
    box.SetCurSel(-1, 1);
    EXPECT_TRUE(selChanges().empty());
    EXPECT_EQ(box.GetCurSel(), 2);

    // Selecting the same item again still notifies; the empty item shows no text at all.
    box.SetCurSel(2, 1);
    box.SetCurSel(4, 1);
    changes = selChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].wParam, 4u);
    Canvas empty(box.m_hWnd);
    EXPECT_EQ(empty.count(RECT{0, 0, kWidth, kHeight}, colourOf(kNormal)), kWidth * kHeight);
}

TEST_F(ComboBox, HoverShowsTheActiveImageAndTellsTheParent) {
    createBox(kPresets);
    box.SetCurSel(0, 1);
    parent.clear();
    moveTo(onBox(40, 8));
    moveTo(onBox(41, 8));
    ASSERT_TRUE(waitForHover(true));
    EXPECT_EQ(Canvas(box.m_hWnd).pixels(),
              expectedCaption(L"400", colourOf(kActive), kText, kWidth, kHeight));
    auto infos = parent.only(UWM_CONTROL_INFO);
    ASSERT_FALSE(infos.empty());
    EXPECT_EQ(infos[0].lParam, reinterpret_cast<LPARAM>(box.m_hWnd));
    EXPECT_NE(infos[0].wParam, 0u);

    moveTo(onBox(200, 150));
    ASSERT_TRUE(waitForHover(false));
    EXPECT_EQ(Canvas(box.m_hWnd).at(60, 8), colourOf(kNormal));
    // Tracking re-arms after a leave.
    moveTo(onBox(40, 8));
    moveTo(onBox(41, 8));
    EXPECT_TRUE(waitForHover(true));
}

// The main window marks the active CPI list with a release sent to one box and a press
// sent to the other: the first list closes, the second opens and holds the capture.
TEST_F(ComboBox, APressMessageOpensTheListAndAReleaseMessageClosesIt) {
    createBox(kPresets);
    CBitmapComboBox other;
    RECT rect = {166, 91, 231, 105};
    ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, 1004));
    other.SetBitmaps(kNormal.id, -1, kActive.id, -1, -1, GetModuleHandleW(nullptr));
    other.AddString(L"400", 0);

    other.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    box.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(listOpen());
    EXPECT_EQ(CWnd::GetCapture(), box.GetList()->m_hWnd);

    box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    other.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(listOpen());
    EXPECT_FALSE(box.IsPressed());
    EXPECT_TRUE(other.GetList()->IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), other.GetList()->m_hWnd);
    EXPECT_TRUE(selChanges().empty());
}

TEST_F(ComboBox, DestroyingTheBoxDestroysItsList) {
    auto owned = std::make_unique<CBitmapComboBox>();
    RECT rect = {kBoxX, kBoxY, kBoxX + 65, kBoxY + 14};
    ASSERT_TRUE(owned->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, kBoxId));
    owned->SetBitmaps(kNormal.id, -1, kActive.id, -1, -1, GetModuleHandleW(nullptr));
    owned->AddString(L"English", 0);
    HWND list = owned->GetList()->m_hWnd;
    ASSERT_TRUE(IsWindow(list));
    owned.reset();
    EXPECT_FALSE(IsWindow(list));
}

// The state changes a user makes, without the real input's pacing: rows hovered, the box
// hovered and left, selections, each repainted, and every 100th change a full open and pick
// (a shown and hidden desktop window is slow under Wine). Then nothing is left behind: the
// framework's count shows any object a change leaves.
TEST_F(ComboBox, FourThousandStateChangesAndRepaintsLeakNothing) {
    createBox(kPresets);
    CComboBoxList* list = box.GetList();
    long start = GdiLiveObjects();
    for (int i = 0; i < 4000; ++i) {
        int row = i % 5;
        LPARAM onRow = MAKELPARAM(10, 16 * row + 1);
        if (i % 100 == 0) box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        list->SendMessage(WM_MOUSEMOVE, 0, onRow);
        list->UpdateWindow();
        box.SendMessage(i % 2 ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, 0);
        box.UpdateWindow();
        if (i % 100 == 99) {
            list->SendMessage(WM_LBUTTONUP, 0, onRow);
            ASSERT_FALSE(listOpen()) << "change " << i;
        } else {
            box.SetCurSel(row, 1);
        }
        box.UpdateWindow();
        ASSERT_EQ(box.GetCurSel(), row) << "change " << i;
    }
    pumpPending();
    EXPECT_EQ(GdiLiveObjects(), start);
    CBitmap image;
    EXPECT_TRUE(LoadSkinImage(image, GetModuleHandleW(nullptr), kNormal.id));
    EXPECT_TRUE(box.SetBitmaps(kActive.id, -1, kNormal.id, -1, -1, GetModuleHandleW(nullptr)));
    box.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Canvas(box.m_hWnd).at(60, 8), colourOf(kActive));
}

} // namespace

namespace {

using ComboBoxWatch = ComboFixture;

// The device watch presses a CPI list also while the Options page hides it: a hidden or
// disabled box opens nothing, and hiding a box closes its open list.
TEST_F(ComboBoxWatch, AHiddenOrDisabledBoxOpensNothingAndHidingABoxClosesItsList) {
    createBox(kPresets);
    box.ShowWindow(SW_HIDE);
    box.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(listOpen());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    box.ShowWindow(SW_SHOW);
    box.EnableWindow(FALSE);
    box.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(listOpen());
    EXPECT_FALSE(box.IsPressed());
    box.EnableWindow(TRUE);

    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    box.ShowWindow(SW_HIDE);
    EXPECT_FALSE(listOpen());
    EXPECT_FALSE(box.IsPressed());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(selChanges().empty());
}

} // namespace
