// The on-screen display over a window that has the focus: where and how it shows, that it
// takes neither the focus nor a click, and that a second text restarts its time.
#include "companion/face/on_screen_display.h"
#include "device/skin_library.h"
#include "framework/wnd.h"
#include "tests/support/pixels.h"
#include "tests/support/pump.h"
#include "tests/support/real_mouse.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

// A plain window that records the mouse presses it receives.
class PressRecorder : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()
    LRESULT OnLButtonDown(WPARAM, LPARAM) {
        ++presses;
        return 0;
    }
    int presses = 0;
};

BEGIN_MESSAGE_MAP(PressRecorder, CWnd)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
END_MESSAGE_MAP()

// Two monitors behind the display's monitor metrics, as Windows describes them to a program that
// is not DPI-aware: the primary one at (0, 0), the taskbar's anywhere, or no taskbar at all.
struct StandInMonitors {
    static inline bool taskbar = true;
    static inline RECT primaryWork = {}, taskbarWork = {};
    static inline const HMONITOR kPrimary = reinterpret_cast<HMONITOR>(1),
                                 kTaskbars = reinterpret_cast<HMONITOR>(2);
    static inline const HWND kTaskbar = reinterpret_cast<HWND>(0x7A5C);

    static HWND WINAPI findWindow(LPCWSTR className, LPCWSTR) {
        return taskbar && wcscmp(className, L"Shell_TrayWnd") == 0 ? kTaskbar : nullptr;
    }
    static HMONITOR WINAPI fromWindow(HWND window, DWORD) {
        return window == kTaskbar ? kTaskbars : kPrimary;
    }
    static HMONITOR WINAPI fromPoint(POINT point, DWORD) {
        return point.x == 0 && point.y == 0 ? kPrimary : nullptr;
    }
    static BOOL WINAPI info(HMONITOR monitor, LPMONITORINFO out) {
        if (out->cbSize != sizeof(MONITORINFO) || (monitor != kPrimary && monitor != kTaskbars))
            return FALSE;
        out->rcWork = monitor == kPrimary ? primaryWork : taskbarWork;
        out->dwFlags = monitor == kPrimary ? MONITORINFOF_PRIMARY : 0;
        return TRUE;
    }
    static constexpr MonitorMetrics kMetrics = {findWindow, fromWindow, fromPoint, info};
};

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        skin = loadSkinLibrary(kDefaultSkinLibraryName);
        ASSERT_TRUE(skin);
        // The focused window lies under the whole bottom half of the work area, where the
        // display shows.
        RECT work = {};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT below = {work.left, (work.top + work.bottom) / 2, work.right, work.bottom};
        ASSERT_TRUE(
            focused.CreateEx(0, nullptr, L"Focused", WS_POPUP | WS_VISIBLE, below, nullptr, 0));
        ::SetForegroundWindow(focused);
        ::SetFocus(focused);
        ASSERT_TRUE(pumpUntil([&] { return ::GetForegroundWindow() == focused.m_hWnd; }));
        ASSERT_TRUE(display.CreateDisplay(skin, ::LoadIconW(nullptr, IDI_APPLICATION)));
    }
    void TearDown() override {
        display.DestroyWindow();
        focused.DestroyWindow();
        if (skin) ::FreeLibrary(skin);
    }

    HMODULE skin = nullptr;
    PressRecorder focused;
    COnScreenDisplay display;
};

} // namespace

TEST_F(DisplayTest, ShowsTheSkinnedTextAboveTheWorkAreasBottomWithoutTakingFocusOrClicks) {
    EXPECT_FALSE(display.IsWindowVisible());
    const DWORD wanted = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    EXPECT_EQ(display.GetExStyle() & wanted, wanted) << std::hex << display.GetExStyle();

    display.Show(L"Profile 2 \u00B7 800 CPI");
    pumpFor(200);
    ASSERT_TRUE(display.IsWindowVisible());
    EXPECT_EQ(display.GetWindowText(), L"Profile 2 \u00B7 800 CPI");
    EXPECT_EQ(::GetForegroundWindow(), focused.m_hWnd);
    EXPECT_EQ(::GetFocus(), focused.m_hWnd);

    RECT work = {}, shown = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    display.GetWindowRect(&shown);
    EXPECT_EQ(shown.bottom, work.bottom - kOnScreenDisplayLift);
    EXPECT_LE(std::abs((shown.left + shown.right) - (work.left + work.right)), 1);
    EXPECT_GT(shown.right - shown.left, shown.bottom - shown.top);

    // The skin's graphite face behind the text, its key colour in the corners (cut out), the
    // accent rule under the text.
    Canvas pixels(display.m_hWnd);
    EXPECT_EQ(pixels.at(0, 0), kDisplayColourKey);
    EXPECT_EQ(pixels.at(pixels.width() - 1, pixels.height() - 1), kDisplayColourKey);
    EXPECT_EQ(pixels.at(pixels.width() - 6, pixels.height() / 2), RGB(54, 55, 61));
    EXPECT_GT(pixels.count(RECT{0, 0, pixels.width(), pixels.height()}, kDisplayAccent), 40);

    // A click on the display's middle reaches the window under it.
    realMouse(MOUSEEVENTF_LEFTDOWN,
              POINT{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2});
    realMouse(MOUSEEVENTF_LEFTUP,
              POINT{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2});
    EXPECT_EQ(focused.presses, 1);
    EXPECT_EQ(::GetForegroundWindow(), focused.m_hWnd);
}

TEST_F(DisplayTest, ASecondTextWhileShownReplacesTheFirstAndRestartsItsTime) {
    using Clock = std::chrono::steady_clock;
    const auto first = Clock::now();
    display.Show(L"Profile 1 \u00B7 400 CPI");
    pumpFor(1000);
    const auto second = Clock::now();
    display.Show(L"1600 CPI");
    // Past the first text's time: still showing, the second text.
    pumpUntil([&] { return Clock::now() - first > std::chrono::milliseconds(1800); }, 3000);
    EXPECT_TRUE(display.IsWindowVisible());
    EXPECT_EQ(display.GetWindowText(), L"1600 CPI");
    ASSERT_TRUE(pumpUntil([&] { return !display.IsWindowVisible(); }, 2000));
    const auto shownFor = Clock::now() - second;
    EXPECT_GE(shownFor, std::chrono::milliseconds(kOnScreenDisplayMs - 100));
    EXPECT_LE(shownFor, std::chrono::milliseconds(kOnScreenDisplayMs + 500));
    EXPECT_EQ(::GetForegroundWindow(), focused.m_hWnd);
}

// The display shows centred above the bottom of the taskbar monitor's work area wherever that
// monitor lies, and on the primary monitor's without a taskbar.
TEST_F(DisplayTest, ShowsOnTheWorkAreaOfTheTaskbarsMonitorWhereverItLies) {
    struct Case {
        const char* what;
        bool taskbar;
        RECT taskbarWork;
        RECT expectedWork;
    };
    const RECT primary = {0, 0, 1280, 984};
    const std::vector<Case> cases = {
        {"left of the primary", true, {-1920, -200, 0, 840}, {-1920, -200, 0, 840}},
        {"above the primary", true, {-300, -1080, 1620, -40}, {-300, -1080, 1620, -40}},
        {"its taskbar on the left edge", true, {-1860, 0, 0, 1080}, {-1860, 0, 0, 1080}},
        // 2560 x 1440 at 150 % with a 48-pixel taskbar, as this program sees it: 1707 x 960
        // less 32.
        {"the primary, scaled to 150 %", true, {0, 0, 1707, 928}, {0, 0, 1707, 928}},
        {"no taskbar", false, {-1920, 0, 0, 1040}, primary},
    };
    StandInMonitors::primaryWork = primary;
    installMonitorMetrics(&StandInMonitors::kMetrics);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInMonitors::taskbar = c.taskbar;
        StandInMonitors::taskbarWork = c.taskbarWork;
        display.Show(L"Profile 2 \u00B7 800 CPI");
        RECT shown = {};
        display.GetWindowRect(&shown);
        const RECT& work = c.expectedWork;
        EXPECT_EQ(shown.bottom, work.bottom - kOnScreenDisplayLift);
        EXPECT_LE(std::abs((shown.left + shown.right) - (work.left + work.right)), 1)
            << shown.left << ".." << shown.right;
    }
    installMonitorMetrics(nullptr);
    display.Hide();
}
