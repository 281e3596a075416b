// Subclassed system buttons keep behaving as buttons; WM_DRAWITEM is reflected.
#include "framework/button.h"
#include "tests/support/pump.h"
#include "tests/support/recording_parent.h"
#include <algorithm>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

class CountingButton : public CButton {
  public:
    DECLARE_MESSAGE_MAP()
    int presses = 0;
    int draws = 0;
    UINT lastItemId = 0;
    void DrawItem(DRAWITEMSTRUCT* item) override {
        ++draws;
        lastItemId = item->CtlID;
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

  protected:
    LRESULT OnLButtonDown(WPARAM, LPARAM) {
        ++presses;
        return Default(); // the system button captures the mouse
    }
};

BEGIN_MESSAGE_MAP(CountingButton, CButton)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
END_MESSAGE_MAP()

TEST(Button, SubclassedButtonCapturesAndNotifiesOnRelease) {
    RecordingParent parent;
    CountingButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{10, 10, 60, 40},
                              &parent, 1026));
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(button.presses, 1);
    EXPECT_EQ(CWnd::GetCapture(), button.m_hWnd);

    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_NE(CWnd::GetCapture(), button.m_hWnd);
    auto clicks = parent.only(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wParam, MAKEWPARAM(1026, BN_CLICKED));
    EXPECT_EQ(clicks[0].lParam, reinterpret_cast<LPARAM>(button.m_hWnd));

    // A release outside the button sends nothing.
    parent.clear();
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(parent.only(WM_COMMAND).empty());
}

TEST(Button, ParentReflectsDrawItemToTheOwnerDrawnChild) {
    RecordingParent parent;
    CountingButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 60, 40},
                              &parent, 42));
    button.Invalidate();
    button.UpdateWindow();
    pumpPending();
    EXPECT_GE(button.draws, 1);
    EXPECT_EQ(button.lastItemId, 42u);
}

// A subclass put on top of ours (as comctl32 does for its own helpers): messages pass through
// both and reach the system button, and the window is destroyed through the whole chain.
std::vector<UINT> seenOnTop;

LRESULT CALLBACK recordOnTop(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    seenOnTop.push_back(message);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(Button, ASubclassOnTopOfOursKeepsItsMessagesUntilTheWindowIsDestroyed) {
    RecordingParent parent;
    HWND hwnd = nullptr;
    {
        CountingButton button;
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                  RECT{10, 10, 60, 40}, &parent, 7));
        hwnd = button.m_hWnd;
        ASSERT_TRUE(SetWindowSubclass(hwnd, recordOnTop, 1, 0));
        seenOnTop.clear();
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(button.presses, 1);                                  // ours, under the top one
        EXPECT_EQ(button.SendMessage(BM_GETCHECK, 0, 0), BST_CHECKED); // the system button's
        EXPECT_EQ(parent.only(WM_COMMAND).size(), 1u);
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_NE(std::find(seenOnTop.begin(), seenOnTop.end(), UINT(WM_NCDESTROY)), seenOnTop.end());
}

} // namespace
