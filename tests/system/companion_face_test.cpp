// The companion's face as a user meets it, over the virtual mouse: the on-screen display after
// the mouse's own buttons (its text, its end, the focus left where it was), and the tray icon's
// menu, driven through the icon's callback message as the taskbar sends it and picked with the
// keyboard as a user may (Wine's taskbar under Xvfb has no icon to click).
#include "companion/face/companion_face.h"
#include "companion/face/companion_options.h"
#include "companion/face/on_screen_display.h"
#include "companion/face/start_with_windows.h"
#include "sim/pelko_firmware.h"
#include "tests/e2e/remote_window.h"
#include "tests/support/pump.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr size_t kStartUpExchanges = 42;
constexpr DWORD kTimeoutMs = 15000;
// From a press of the mouse's button to the display (the companion polls every 100 ms).
constexpr DWORD kShowMs = 1500;
// The display is gone again this long after it showed.
constexpr DWORD kGoneMs = 2000;
// The menu's entries from the top, as the down arrow reaches them (the separators skipped).
constexpr int kOnScreenDisplayEntry = 2, kStartWithWindowsEntry = 3, kExitEntry = 8;

// Profile 1 active at stage 1; profile 2's stages at 800 and 1600 CPI.
std::vector<uint8_t> seededMemory() {
    const FirmwareMemory factory = PelkoFirmware::factoryMemory();
    std::vector<uint8_t> memory(factory.begin(), factory.end());
    memory[0] = 12;
    memory[1] = 3;
    memory[6] = 0;
    memory[7] = 1;
    const uint8_t profile2Cpi[] = {16, 32, 16, 32};
    std::copy(std::begin(profile2Cpi), std::end(profile2Cpi), &memory[28 + 11]);
    return memory;
}

struct ProcessWindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK matchClassOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ProcessWindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (owner != search->process || wcscmp(name, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND windowOfClass(DWORD process, const wchar_t* className) {
    ProcessWindowSearch search{process, className};
    ::EnumWindows(matchClassOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring textOf(HWND window) {
    wchar_t text[128] = {};
    ::GetWindowTextW(window, text, 128);
    return text;
}

// A process started by `parent` from this program file name; 0 when there is none.
DWORD childProcess(DWORD parent, const wchar_t* exeName) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    DWORD found = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found;
         more = ::Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, exeName) == 0)
            found = entry.th32ProcessID;
    ::CloseHandle(snapshot);
    return found;
}

void endProcess(DWORD id) {
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, kTimeoutMs);
        ::CloseHandle(process);
    }
}

std::wstring runValue() {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text,
                       &size) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

void clearCompanionChoices() {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
    HKEY run = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        ::RegDeleteValueW(run, kRunValue);
        ::RegCloseKey(run);
    }
}

// A window of the test's own that has the focus, as the user's work would.
class FocusedWindow {
  public:
    FocusedWindow() {
        m_window = ::CreateWindowExW(0, L"STATIC", L"The user's work", WS_OVERLAPPEDWINDOW, 100,
                                     100, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ::ShowWindow(m_window, SW_SHOW);
        ::SetForegroundWindow(m_window);
        pumpUntil([&] { return ::GetForegroundWindow() == m_window; });
    }
    ~FocusedWindow() { ::DestroyWindow(m_window); }
    HWND handle() const { return m_window; }

  private:
    HWND m_window = nullptr;
};

class CompanionFaceTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    void SetUp() override {
        clearCompanionChoices();
        const fs::path folder = binFolder() / L"companion-face-tests";
        fs::create_directories(folder);
        const fs::path memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
        fs::remove(wireLog);
        const std::vector<uint8_t> memory = seededMemory();
        std::ofstream(memoryFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
        ASSERT_TRUE(mouse.plug(memoryFile, wireLog)) << "the virtual mouse did not plug in";
        ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", L"100");
        companion = std::make_unique<Program>(binFolder() / L"pelkotray.exe");
        ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", nullptr);
        ASSERT_TRUE(companion->started());
        ASSERT_TRUE(
            waitFor([&] { return readWireLog(wireLog).size() > kStartUpExchanges; }, kTimeoutMs))
            << "the companion did not follow the mouse";
        window = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
        ASSERT_TRUE(window);
    }

    void TearDown() override {
        if (companion && companion->ended(0) == -1) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            EXPECT_EQ(companion->ended(), 0);
        }
        clearCompanionChoices();
    }

    // The display when it shows; null when it does not within `ms`.
    // The display when it shows; null when it does not within `ms`. The test's own window is
    // served meanwhile: Windows' announcement of the profile's settings waits for every window.
    HWND shownDisplay(DWORD ms) const {
        HWND display = nullptr;
        pumpUntil(
            [&] {
                display = windowOfClass(companion->id(), kOnScreenDisplayClass);
                return display && ::IsWindowVisible(display);
            },
            ms);
        return display && ::IsWindowVisible(display) ? display : nullptr;
    }

    // The menu as a right click on the icon opens it, its `entry`th item picked with the arrow
    // keys and Enter.
    bool pickFromMenu(int entry) const {
        ::PostMessageW(window, kTrayCallbackMessage, MAKEWPARAM(600, 1000),
                       MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
        HWND menu = nullptr;
        if (!waitFor(
                [&] {
                    menu = windowOfClass(companion->id(), L"#32768");
                    return menu && ::IsWindowVisible(menu);
                },
                kTimeoutMs))
            return false;
        for (int i = 0; i < entry; ++i)
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        return waitFor([&] { return !::IsWindowVisible(menu); }, kTimeoutMs);
    }

    // Whether the taskbar holds the companion's icon: it modifies only icons it knows.
    bool taskbarHoldsIcon() const {
        NOTIFYICONDATAW probe = {};
        probe.cbSize = sizeof(probe);
        probe.hWnd = window;
        probe.uID = kTrayIconId;
        return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
    }

    VirtualMouse mouse;
    fs::path wireLog;
    std::unique_ptr<Program> companion;
    HWND window = nullptr;
};

TEST_F(CompanionFaceTest, EachButtonShowsTheDisplayForAMomentAndLeavesTheFocusWhereItWas) {
    FocusedWindow work;
    ASSERT_EQ(::GetForegroundWindow(), work.handle());
    const struct {
        bool profile;
        const wchar_t* text;
    } presses[] = {{true, L"Profile 2 \u00B7 800 CPI"}, {false, L"1600 CPI"}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.profile ? "profile button" : "CPI button");
        ASSERT_TRUE(press.profile ? mouse.pressProfileButton() : mouse.pressCpiButton());
        const HWND display = shownDisplay(kShowMs);
        ASSERT_TRUE(display) << "no display";
        const DWORD shown = ::GetTickCount();
        const auto pumpUntilShownFor = [&](DWORD ms) {
            const DWORD elapsed = ::GetTickCount() - shown;
            if (elapsed < ms) pumpFor(ms - elapsed);
        };
        EXPECT_EQ(textOf(display), press.text);
        pumpFor(100);
        EXPECT_EQ(::GetForegroundWindow(), work.handle()) << "the display took the focus";
        pumpUntilShownFor(1000);
        EXPECT_TRUE(::IsWindowVisible(display)) << "the display went within a second";
        pumpUntilShownFor(kGoneMs);
        EXPECT_FALSE(::IsWindowVisible(display)) << "the display is still there after 2 s";
    }
}

TEST_F(CompanionFaceTest, TheMenuSwitchesTheDisplayAndStartWithWindowsAndDoubleClickOpensSettings) {
    EXPECT_EQ(runValue(), L"(none)");
    // The menu closes before the pick is carried out: the value is awaited.
    const std::wstring quotedPath = L"\"" + (binFolder() / L"pelkotray.exe").wstring() + L"\"";
    ASSERT_TRUE(pickFromMenu(kStartWithWindowsEntry));
    EXPECT_TRUE(waitFor([&] { return runValue() == quotedPath; }, kTimeoutMs))
        << "no Run value after the pick";
    ASSERT_TRUE(pickFromMenu(kStartWithWindowsEntry));
    EXPECT_TRUE(waitFor([&] { return runValue() == L"(none)"; }, kTimeoutMs))
        << "a second pick left the Run value";

    ASSERT_TRUE(pickFromMenu(kOnScreenDisplayEntry));
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_FALSE(shownDisplay(kShowMs)) << "the display showed while switched off";

    ::PostMessageW(window, kTrayCallbackMessage, MAKEWPARAM(600, 1000),
                   MAKELPARAM(WM_LBUTTONDBLCLK, kTrayIconId));
    DWORD settings = 0;
    EXPECT_TRUE(waitFor([&] { return (settings = childProcess(companion->id(), L"pelkocfg.exe")); },
                        kTimeoutMs))
        << "the double click started no pelkocfg.exe";
    if (settings) endProcess(settings);
}

TEST_F(CompanionFaceTest, ExitFromTheMenuEndsTheCompanionAndTakesItsIconAway) {
    ASSERT_TRUE(taskbarHoldsIcon()) << "the companion's icon is not in the taskbar";
    ASSERT_TRUE(pickFromMenu(kExitEntry));
    EXPECT_EQ(companion->ended(), 0);
    // What the user sees; Wine's taskbar also drops the icons of a window that is gone, so an
    // Exit that leaves the removal to it is caught by the face's own test (tests/companion).
    EXPECT_FALSE(taskbarHoldsIcon()) << "the icon stayed after Exit";
}

} // namespace
