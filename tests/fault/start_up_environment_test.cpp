// The whole start-up in odd surroundings: a start-up key the program may not write, and a
// companion window whose program hangs. The start goes on to the window either way; what each
// costs is printed.
#include "app/pelko_app.h"
#include "tests/app/app_fixture.h"
#include "tests/app/companion_window.h"
#include "tests/support/registry_access.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the application's start-up to its window and closes the window once it shows;
// returns the time from the start to the window shown (negative when it never showed).
double millisecondsToWindow() {
    std::atomic<double> shownAfter = -1.0;
    const Clock::time_point start = Clock::now();
    std::thread closer([&] {
        for (int i = 0; i < 400 && shownAfter < 0; ++i) {
            HWND main = ::FindWindowW(nullptr, L"Glimmerhaus Pelko");
            if (main && ::IsWindowVisible(main)) {
                shownAfter =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
            }
            ::Sleep(10);
        }
    });
    CPELKOmouseApp application;
    EXPECT_FALSE(application.InitInstance());
    closer.join();
    return shownAfter;
}

} // namespace

TEST_F(AppTest, AStartUpKeyThatCannotBeWrittenOnlySkipsTheMarkerAndTheCompanion) {
    HWND companion = createCompanion();
    ASSERT_TRUE(setRegistryKeyWritable(kStartUpKey, false));
    HKEY key = nullptr;
    const LONG denied = ::RegCreateKeyExW(HKEY_CURRENT_USER, kStartUpKey, 0, nullptr, 0,
                                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (key) ::RegCloseKey(key);
    companionHeard.clear();
    const double shown = millisecondsToWindow();
    EXPECT_TRUE(setRegistryKeyWritable(kStartUpKey, true));
    ::DestroyWindow(companion);
    ASSERT_EQ(denied, ERROR_ACCESS_DENIED);
    EXPECT_GE(shown, 0.0);
    EXPECT_TRUE(companionHeard.empty()); // the companion is told only after the marker
    std::printf("unwritable start-up key: start to window shown %.0f ms\n", shown);
}

TEST_F(AppTest, AHungCompanionOnlyDelaysTheWindow) {
    std::atomic<bool> ready = false;
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        HWND window = createCompanion();
        ready = true;
        ::WaitForSingleObject(release, 20000); // never looks at its messages meanwhile
        ::DestroyWindow(window);
    });
    while (!ready)
        ::Sleep(5);
    const double withHung = millisecondsToWindow();
    ::SetEvent(release);
    hung.join();
    ::CloseHandle(release);
    const double without = millisecondsToWindow();
    EXPECT_GE(withHung, 0.0);
    EXPECT_GE(without, 0.0);
    EXPECT_LE(withHung, without + 2 * kCompanionWaitMs + 1000);
    std::printf("start to window shown: %.0f ms with a hung companion, %.0f ms without\n", withHung,
                without);
}
