// Message-map dispatch on real framework windows.
#include "framework/wnd.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr UINT kBaseOnly = WM_USER + 1;
constexpr UINT kOverridden = WM_USER + 2;
constexpr UINT kUnhandled = WM_USER + 3;

class BaseWindow : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()
    std::vector<std::string> calls;

  protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM) {
        calls.push_back("base-only");
        return 11;
    }
    LRESULT OnOverriddenInBase(WPARAM, LPARAM) {
        calls.push_back("base-overridden");
        return 12;
    }
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kOverridden, OnOverriddenInBase)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
  public:
    DECLARE_MESSAGE_MAP()
    int createdWithHandle = 0;
    std::vector<UINT> commandIds;

  protected:
    LRESULT OnCreate(WPARAM, LPARAM) {
        createdWithHandle = m_hWnd != nullptr;
        return Default();
    }
    LRESULT OnOverridden(WPARAM, LPARAM) {
        calls.push_back("derived");
        return 21;
    }
    LRESULT OnSettingsTextChange(WPARAM wParam, LPARAM lParam) {
        calls.push_back("settext");
        // Default processing stores the text.
        return DefWindowProc(WM_SETTEXT, wParam, lParam);
    }
    LRESULT OnSingle(WPARAM wParam, LPARAM) {
        commandIds.push_back(1000 + LOWORD(wParam));
        return 0;
    }
    LRESULT OnRange(WPARAM wParam, LPARAM) {
        commandIds.push_back(LOWORD(wParam));
        return 0;
    }
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(WM_CREATE, OnCreate)
ON_MESSAGE(kOverridden, OnOverridden)
ON_MESSAGE(WM_SETTEXT, OnSettingsTextChange)
ON_COMMAND(7, OnSingle)
ON_COMMAND_RANGE(1027, 1029, OnRange)
ON_COMMAND_RANGE(7, 9, OnRange) // after the single entry for 7: table order decides
END_MESSAGE_MAP()

RECT someRect() {
    return RECT{10, 10, 210, 110};
}

TEST(MessageMap, DispatchesThroughTheChainInTableOrder) {
    DerivedWindow w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"map", WS_POPUP, someRect(), nullptr, 0));
    EXPECT_EQ(w.createdWithHandle, 1) << "WM_CREATE reaches the C++ object";

    EXPECT_EQ(w.SendMessage(kOverridden), 21);
    EXPECT_EQ(w.SendMessage(kBaseOnly), 11);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"derived", "base-only"}));

    // Unhandled messages get default processing: DefWindowProc returns 0 for WM_USER range,
    // and handles WM_GETTEXT for a text set through a handler that defaulted.
    EXPECT_EQ(w.SendMessage(kUnhandled, 5, 6), 0);
    w.SetWindowText(L"hello");
    EXPECT_EQ(w.GetWindowText(), L"hello");

    w.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1028, BN_CLICKED), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1030, BN_CLICKED), 0); // outside every range
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1027, EN_CHANGE), 0);  // not a command notification
    EXPECT_EQ(w.commandIds, (std::vector<UINT>{1007, 8, 1028}));
}

TEST(MessageMap, ObjectsAreFoundFromHandlesUntilTheWindowIsDestroyed) {
    DerivedWindow w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"map", WS_POPUP, someRect(), nullptr, 0));
    HWND hwnd = w.m_hWnd;
    EXPECT_EQ(CWnd::FromHandle(hwnd), &w);
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(w.CreateEx(0, L"NoSuchClassAnywhere", L"", WS_POPUP, someRect(), nullptr, 0));
    EXPECT_EQ(w.m_hWnd, nullptr);
}

TEST(MessageMap, DestroyingTheObjectDestroysItsWindow) {
    HWND hwnd;
    {
        DerivedWindow w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, L"map", WS_POPUP, someRect(), nullptr, 0));
        hwnd = w.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

} // namespace
