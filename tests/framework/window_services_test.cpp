// The window services the main window uses: icons, message boxes, extended styles, objects
// for windows without a framework object, DCs from a window handle, and the scoped lock.
#include "framework/critical_section.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"
#include "framework/double_buffer.h"
#include "tests/support/pixels.h"
#include "tests/support/pump.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(WindowServices, IconsStylesAndObjectsForForeignWindows) {
    RecordingParent window;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(window.SetIcon(icon, TRUE), nullptr);
    EXPECT_EQ(window.SetIcon(nullptr, TRUE), icon);  // the one it had
    EXPECT_EQ(window.SetIcon(icon, FALSE), nullptr); // the small icon is another

    EXPECT_TRUE(window.ModifyStyleEx(0, WS_EX_LAYERED, SWP_FRAMECHANGED));
    EXPECT_TRUE(window.GetExStyle() & WS_EX_LAYERED);
    EXPECT_FALSE(window.ModifyStyleEx(0, WS_EX_LAYERED)); // nothing changed
    EXPECT_TRUE(window.ModifyStyleEx(WS_EX_LAYERED, WS_EX_TOOLWINDOW));
    EXPECT_EQ(window.GetExStyle() & (WS_EX_LAYERED | WS_EX_TOOLWINDOW),
              static_cast<DWORD>(WS_EX_TOOLWINDOW));

    // A system control made without the framework, and a framework window inside it.
    HWND plain = CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                 window.m_hWnd, reinterpret_cast<HMENU>(1005), nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CWnd* item = window.GetDlgItem(1005);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_hWnd, plain);
    EXPECT_EQ(window.GetDlgItem(1005), item);
    EXPECT_EQ(item->GetWindowText(), L"plain");
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr); // still not bound
    EXPECT_EQ(window.GetDlgItem(1006), nullptr);
    CWnd inner;
    ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 5, 5}, item, 9));
    EXPECT_EQ(inner.GetParent(), item);
    EXPECT_EQ(window.GetParent(), nullptr);
    inner.DestroyWindow();
    DestroyWindow(plain);
    EXPECT_FALSE(IsWindow(plain));
}

TEST(WindowServices, MessageBoxIsOwnedByTheWindowAndReturnsTheButtonPressed) {
    RecordingParent window;
    std::atomic<bool> ownedByWindow = false;
    std::wstring text;
    std::thread presser([&] {
        HWND box = nullptr;
        for (int i = 0; i < 300 && !box; ++i, Sleep(10))
            box = FindWindowW(nullptr, L"Failed");
        if (!box) return;
        ownedByWindow = GetWindow(box, GW_OWNER) == window.m_hWnd;
        wchar_t shown[64] = {};
        GetDlgItemTextW(box, 0xFFFF, shown, 64);
        text = shown;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(window.MessageBox(L"No mouse", L"Failed", MB_OKCANCEL), IDCANCEL);
    presser.join();
    EXPECT_TRUE(ownedByWindow);
    EXPECT_EQ(text, L"No mouse");
}

TEST(WindowServices, DcsFromAHandleAndTheDoubleBuffer) {
    RecordingParent window;
    long live = GdiLiveObjects();
    {
        CClientDC client(window.m_hWnd);
        ASSERT_NE(client.GetSafeHdc(), nullptr);
        Canvas target(20, 10);
        target.fill(RGB(0, 0, 0));
        CDC borrowed(target.dc());
        {
            DoubleBuffer buffer(borrowed, 20, 10);
            EXPECT_NE(buffer.dc().GetSafeHdc(), target.dc()); // drawn aside
            ScopedTextStyle style(buffer.dc(), RGB(1, 2, 3), TRANSPARENT);
            HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
            RECT all = {0, 0, 20, 10};
            FillRect(buffer.dc(), &all, red);
            DeleteObject(red);
            EXPECT_EQ(target.at(5, 5), RGB(0, 0, 0)); // not yet copied
        }
        EXPECT_TRUE(target.all({0, 0, 20, 10}, RGB(200, 0, 0)));
        EXPECT_EQ(GetTextColor(target.dc()), RGB(0, 0, 0)); // the target's own style untouched
        EXPECT_EQ(live, GdiLiveObjects());
    }
    // A paint DC from a handle validates what it paints.
    window.Invalidate(FALSE);
    {
        CPaintDC paint(window.m_hWnd);
        EXPECT_NE(paint.GetSafeHdc(), nullptr);
    }
    EXPECT_FALSE(GetUpdateRect(window.m_hWnd, nullptr, FALSE));
}

TEST(WindowServices, TheTextStyleAndSelectionComeBack) {
    Canvas canvas(4, 4);
    SetTextColor(canvas.dc(), RGB(9, 8, 7));
    SetBkMode(canvas.dc(), OPAQUE);
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    {
        ScopedTextStyle style(canvas.dc(), RGB(1, 1, 1), TRANSPARENT);
        ScopedSelection selected(canvas.dc(), GetStockObject(ANSI_FIXED_FONT));
        EXPECT_TRUE(selected.ok());
        EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 1, 1));
        EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);
    }
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(9, 8, 7));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
    EXPECT_FALSE(ScopedSelection(canvas.dc(), nullptr).ok());
}

TEST(WindowServices, ASingleLockHoldsTheSectionUntilItGoes) {
    CCriticalSection section;
    std::atomic<bool> entered = false;
    std::thread other;
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(lock.Lock()); // held already
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_FALSE(lock.Unlock());
        EXPECT_TRUE(lock.Lock());
        other = std::thread([&] {
            CSingleLock waiting(&section, TRUE);
            entered = true;
        });
        EXPECT_FALSE(pumpUntil([&] { return entered.load(); }, 100));
    } // the destructor unlocks
    other.join();
    EXPECT_TRUE(entered);
    CSingleLock later(&section);
    EXPECT_FALSE(later.IsLocked());
    CSingleLock none(nullptr, TRUE);
    EXPECT_FALSE(none.IsLocked());
    EXPECT_FALSE(none.Lock());
}

} // namespace
