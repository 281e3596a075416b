// The application's start-up outside the window: the registry marker and the companion
// program's two messages, before the window shows and bounded when the companion hangs.
#include "app/pelko_app.h"
#include "tests/app/app_fixture.h"
#include "tests/app/companion_window.h"
#include "tests/support/pump.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

DWORD readLanguage() {
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kStartUpKey, L"Language", RRF_RT_REG_DWORD, nullptr,
                       &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

} // namespace

TEST_F(AppTest, StartUpStoresTheMarkerAndTellsTheCompanionBeforeTheWindowShows) {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kStartUpKey);
    HWND companion = createCompanion();
    companionHeard.clear();
    mainWindowShownWhenHeard.clear();
    // Closes the main window once it shows.
    std::atomic<bool> closed = false;
    std::thread closer([&] {
        for (int i = 0; i < 200 && !closed; ++i) {
            HWND main = ::FindWindowW(nullptr, L"Glimmerhaus Pelko");
            if (main && ::IsWindowVisible(main)) {
                ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
                closed = true;
            }
            ::Sleep(50);
        }
    });
    CPELKOmouseApp application;
    EXPECT_FALSE(application.InitInstance());
    closer.join();
    EXPECT_TRUE(closed);
    EXPECT_EQ(readLanguage(), 9u);
    EXPECT_EQ(companionHeard, (std::vector<UINT>{15, 14}));
    EXPECT_EQ(mainWindowShownWhenHeard, (std::vector<bool>{false, false}));
    ::DestroyWindow(companion);

    companionHeard.clear();
    notifyCompanion(15); // no companion window: nothing is sent, nothing fails
    EXPECT_TRUE(companionHeard.empty());
}

TEST(Companion, AHungCompanionDelaysTheStartByNoMoreThanTheBound) {
    std::atomic<bool> ready = false;
    HANDLE measured = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        HWND window = createCompanion();
        ready = true;
        ::WaitForSingleObject(measured, 10000); // never looks at its messages meanwhile
        ::DestroyWindow(window);
    });
    while (!ready)
        ::Sleep(5);
    const auto start = std::chrono::steady_clock::now();
    notifyCompanion(15);
    notifyCompanion(14);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LE(waited, std::chrono::milliseconds(2 * kCompanionWaitMs + 500));
    ::SetEvent(measured);
    hung.join();
    ::CloseHandle(measured);
}
