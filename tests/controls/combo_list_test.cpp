// CComboBoxList driven by real mouse input: opening, hover rows, picks, and the ways the list
// closes or stays open.
#include "tests/controls/combo_fixture.h"
#include "tests/support/pump.h"

namespace {

using ComboList = ComboFixture;
using combo_images::kActive;
using combo_images::kHeight;
using combo_images::kWidth;

const std::initializer_list<const wchar_t*> kPresets = {L"400", L"800", L"1600", L"3200", L""};

// A point right of every item's text, in the middle of a row's hover bar.
constexpr int kBarX = 55;
int barY(int row) {
    return 16 * row + 9;
}

// Pixels of the hover bar colour inside the border.
int barPixels(HWND list) {
    Canvas pixels(list);
    return pixels.count(RECT{1, 1, pixels.width() - 1, pixels.height() - 1}, ComboFixture::kBorder);
}

TEST_F(ComboList, PressAndReleaseOnTheBoxOpensHoverHighlightsRowsAndAClickPicks) {
    createBox(kPresets);
    CComboBoxList* list = box.GetList();
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen()); // the release over the box keeps it open
    EXPECT_EQ(CWnd::GetCapture(), list->m_hWnd);
    EXPECT_TRUE(box.IsPressed());
    EXPECT_EQ(Canvas(box.m_hWnd).at(60, 8), colourOf(kActive));
    EXPECT_EQ(barPixels(list->m_hWnd), 0); // nothing selected, nothing hovered yet

    for (int row = 0; row < 4; ++row) {
        moveTo(onList(20, 16 * row + 8));
        EXPECT_EQ(list->GetHoverIndex(), row);
        Canvas pixels(list->m_hWnd);
        EXPECT_EQ(pixels.at(kBarX, barY(row)), kBorder) << "row " << row;
        for (int other = 0; other < 4; ++other)
            if (other != row) {
                EXPECT_EQ(pixels.at(kBarX, barY(other)), kListBackground);
            }
    }
    // The border stays whole around the bar.
    Canvas last(list->m_hWnd);
    EXPECT_EQ(last.at(0, barY(3)), kBorder);
    EXPECT_EQ(last.at(kWidth - 1, barY(3)), kBorder);

    click(onList(20, 16 + 8));
    auto changes = selChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, 1u);
    EXPECT_EQ(changes[0].lParam, static_cast<LPARAM>(kBoxId));
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_FALSE(listOpen());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(box.IsPressed());

    // Opened again, the selected row is the hovered one.
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    EXPECT_EQ(list->GetHoverIndex(), 1);
    EXPECT_EQ(Canvas(list->m_hWnd).at(kBarX, barY(1)), kBorder);
}

TEST_F(ComboList, TheSliverOfTheFifthRowHasNoHoverBarButAClickThereStillPicksIt) {
    createBox(kPresets, 67);
    CComboBoxList* list = box.GetList();
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    moveTo(onList(20, 65));
    EXPECT_EQ(list->GetHoverIndex(), 4);
    RECT hoverRect = list->GetHoverRect();
    EXPECT_TRUE(IsRectEmpty(&hoverRect));
    EXPECT_EQ(barPixels(list->m_hWnd), 0);

    click(onList(20, 65));
    auto changes = selChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, 4u);
    EXPECT_FALSE(listOpen());
}

TEST_F(ComboList, TheWheelDoesNotScroll) {
    createBox(kPresets);
    CComboBoxList* list = box.GetList();
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    wheel(onList(20, 40), -WHEEL_DELTA);
    wheel(onList(20, 40), -WHEEL_DELTA);
    list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    list->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(list->GetTopIndex(), 0);
    ASSERT_TRUE(listOpen());
    click(onList(20, 8));
    auto changes = selChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, 0u);
}

TEST_F(ComboList, AClickOnTheBoxWhileOpenClosesWithoutAChange) {
    createBox(kPresets);
    box.SetCurSel(2, 1);
    parent.clear();
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    click(onBox(10, 5));
    EXPECT_FALSE(listOpen());
    EXPECT_TRUE(selChanges().empty());
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_FALSE(box.IsPressed());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // And the next click opens it again.
    click(onBox(10, 5));
    EXPECT_TRUE(listOpen());
}

TEST_F(ComboList, AReleaseBelowTheRowsOrElsewhereClosesWithoutAChange) {
    createBox({L"English", L""}, 67);
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    click(onList(20, 50)); // inside the list, below the two rows
    EXPECT_FALSE(listOpen());

    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    click(onBox(250, 150)); // on the parent, away from box and list
    EXPECT_FALSE(listOpen());
    EXPECT_TRUE(selChanges().empty());
    EXPECT_EQ(box.GetCurSel(), -1);
    EXPECT_FALSE(box.IsPressed());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Press on the box, drag onto a row, release: that row is picked.
    press(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    moveTo(onList(20, 12));
    release(onList(20, 12));
    auto changes = selChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, 0u);
}

// Also on top: the dialog, raised after the list was made, must not cover it.
TEST_F(ComboList, OpensBelowTheBoxWhereverTheBoxHasMovedAndAboveTheDialog) {
    createBox(kPresets);
    box.SetWindowPos(nullptr, 150, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    parent.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    EXPECT_EQ(WindowFromPoint(onList(20, 20)), box.GetList()->m_hWnd);
    RECT boxRect, listRect;
    box.GetWindowRect(&boxRect);
    box.GetList()->GetWindowRect(&listRect);
    EXPECT_EQ(listRect.left, boxRect.left);
    EXPECT_EQ(listRect.top, boxRect.bottom - 1);
    click(onList(20, 16 * 3 + 8));
    EXPECT_EQ(box.GetCurSel(), 3);
}

// Each row's text in the text colour, the hovered row's in the hover text colour unless
// that is 0 (black), which means "no hover colour".
TEST_F(ComboList, TheHoveredRowsTextTakesTheHoverTextColour) {
    constexpr COLORREF kHoverText = RGB(10, 200, 240);
    createBox(kPresets);
    box.SetColors(kListBackground, kText, kBorder, 0, 0, kHoverText);
    CComboBoxList* list = box.GetList();
    click(onBox(10, 5));
    moveTo(onList(20, 8));
    ASSERT_EQ(list->GetHoverIndex(), 0);
    auto rowText = [](int row) { return RECT{5, 16 * row + 2, 40, 16 * row + 16}; };
    Canvas hovered(list->m_hWnd);
    EXPECT_GT(hovered.count(rowText(0), kHoverText), 0);
    EXPECT_EQ(hovered.count(rowText(0), kText), 0);
    EXPECT_GT(hovered.count(rowText(1), kText), 0);
    EXPECT_EQ(hovered.count(rowText(1), kHoverText), 0);

    box.SetColors(kListBackground, kText, kBorder, 0, 0, 0);
    list->Invalidate();
    Canvas plain(list->m_hWnd);
    EXPECT_GT(plain.count(rowText(0), kText), 0);
}

} // namespace

namespace {

using ComboListFaults = ComboFixture;

// The list overlaps the box's bottom pixel row; a release there is over the box and picks
// no row, neither for the press that opened the list nor for a click while it is open.
TEST_F(ComboListFaults, AClickOnTheBoxsBottomRowPicksNoRow) {
    createBox(kPresets);
    box.SetCurSel(2, 1);
    parent.clear();
    click(onBox(10, kHeight - 1));
    EXPECT_TRUE(listOpen());
    click(onBox(10, kHeight - 1));
    EXPECT_FALSE(listOpen());
    EXPECT_TRUE(selChanges().empty());
    EXPECT_EQ(box.GetCurSel(), 2);
}

// The watch's release sent to the other CPI box takes the capture from an open list: the
// list closes without a pick, and a later click where its rows were picks nothing.
TEST_F(ComboListFaults, AnOpenListThatLosesTheCaptureClosesWithoutAPick) {
    createBox(kPresets);
    CBitmapComboBox other;
    ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{166, 91, 231, 105},
                             &parent, 1004));
    other.SetBitmaps(combo_images::kNormal.id, -1, kActive.id, -1, -1, GetModuleHandleW(nullptr));
    click(onBox(10, 5));
    ASSERT_TRUE(listOpen());
    other.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(listOpen());
    EXPECT_FALSE(box.IsPressed());
    click(onList(20, 16 + 8));
    EXPECT_TRUE(selChanges().empty());
    EXPECT_EQ(box.GetCurSel(), -1);
}

} // namespace
