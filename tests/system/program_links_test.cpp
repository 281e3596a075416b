// Program links in the companion over the virtual mouse: a program linked to profile 2 brought
// to the front switches the mouse (address 6 of its memory) and Windows' settings within 2 s by
// the select-profile and live-state requests alone, and an unlinked program brings profile 1
// back; half a second in front switches nothing; a press of the mouse's button stands; a linked
// program that ends counts as leaving; a configuration program keeps the switch away until it
// ends; a mouse plugged in while the linked program is in front switches.
#include "companion/face/companion_face.h"
#include "tests/e2e/remote_window.h"
#include "tests/system/companion_support.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kLinksKey[] = L"Software\\Glimmerhaus\\Pelko\\Companion\\Programs";
constexpr DWORD kSwitchMs = 2000;
constexpr UINT kTestPollMs = 100;
constexpr uint8_t kProfile1 = 0, kProfile2 = 11, kProfile3 = 22;

struct MenuSearch {
    DWORD process;
    HWND menu = nullptr;
    int shown = 0;
};

BOOL CALLBACK matchMenu(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<MenuSearch*>(data);
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && ::IsWindowVisible(window) && std::wstring(name) == L"#32768") {
        search->menu = window;
        ++search->shown;
    }
    return TRUE;
}

// A front_window.exe copied under another name, with its window.
class NamedProgram {
  public:
    explicit NamedProgram(const wchar_t* fileName) {
        const fs::path folder = binFolder() / L"program-links";
        fs::create_directories(folder);
        // A copy a program of the previous case may still hold is already the newest.
        std::error_code ignored;
        fs::copy_file(binFolder() / L"front_window.exe", folder / fileName,
                      fs::copy_options::update_existing, ignored);
        m_program = std::make_unique<Program>(folder / fileName);
        m_window = m_program->window(L"Front window");
    }
    HWND window() const { return m_window; }
    const Program& program() const { return *m_program; }
    // Brings its window to the front, as a click on it would.
    bool bringToFront() const {
        ::SetForegroundWindow(m_window);
        return waitFor([&] { return ::GetForegroundWindow() == m_window; }, 5000);
    }

  private:
    std::unique_ptr<Program> m_program;
    HWND m_window = nullptr;
};

class ProgramLinksTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    void SetUp() override {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kLinksKey);
        const fs::path folder = binFolder() / L"program-links";
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
        fs::remove(wireLog);
        writeMemoryFile(memoryFile, seededMemory());
    }

    void TearDown() override {
        if (companion && companion->ended(0) == -1) {
            ::PostMessageW(::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock"), WM_CLOSE, 0, 0);
            EXPECT_EQ(companion->ended(), 0);
        }
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kLinksKey);
    }

    // The link as a user's registry could spell it: any case.
    static void linkToProfile2(const wchar_t* name) {
        const DWORD profile = 2;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kLinksKey, name, REG_DWORD, &profile, sizeof(profile));
    }

    void startCompanion() {
        ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", std::to_wstring(kTestPollMs).c_str());
        companion = std::make_unique<Program>(binFolder() / L"pelkotray.exe");
        ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", nullptr);
        ASSERT_TRUE(companion->started());
    }

    bool following() const {
        return waitFor(
            [&] {
                const std::vector<WireLine> now = readWireLog(wireLog);
                return now.size() > kStartUpExchanges && isWatch(now.back());
            },
            kExchangeTimeoutMs);
    }

    int activeProfile() const {
        const std::vector<uint8_t> memory = fileBytes(memoryFile);
        return memory.size() > 6 ? memory[6] : -1;
    }
    bool activeBecomes(int offset, DWORD ms) const {
        return waitFor([&] { return activeProfile() == offset; }, ms);
    }
    size_t lineCount() const { return readWireLog(wireLog).size(); }
    // The exchanges from `mark` on with this command.
    size_t countSince(size_t mark, uint8_t command) const {
        const std::vector<WireLine> all = readWireLog(wireLog);
        return size_t(std::count_if(all.begin() + ptrdiff_t(std::min(mark, all.size())), all.end(),
                                    [&](const WireLine& l) { return l.command() == command; }));
    }

    // The tray menu as a right click on the icon opens it, walked with these keys; true once it
    // has closed.
    bool walkMenu(const std::vector<WPARAM>& keys) const {
        HWND companionWindow = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
        ::PostMessageW(companionWindow, kTrayCallbackMessage, MAKEWPARAM(600, 1000),
                       MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
        MenuSearch search{companion->id()};
        if (!waitFor(
                [&] {
                    ::EnumWindows(matchMenu, reinterpret_cast<LPARAM>(&search));
                    return search.menu != nullptr;
                },
                kExchangeTimeoutMs))
            return false;
        for (WPARAM key : keys) {
            ::PostMessageW(search.menu, WM_KEYDOWN, key, 0);
            // The sub-menu opens before the next key is meant for it.
            if (key == VK_RIGHT && !waitFor([&] { return menusShown() == 2; }, kExchangeTimeoutMs))
                return false;
        }
        return waitFor([&] { return !::IsWindowVisible(search.menu); }, kExchangeTimeoutMs);
    }

    int menusShown() const {
        MenuSearch search{companion->id()};
        ::EnumWindows(matchMenu, reinterpret_cast<LPARAM>(&search));
        return search.shown;
    }

    static DWORD storedLink(const wchar_t* name) {
        DWORD profile = 0, size = sizeof(profile);
        if (::RegGetValueW(HKEY_CURRENT_USER, kLinksKey, name, RRF_RT_REG_DWORD, nullptr, &profile,
                           &size) != ERROR_SUCCESS)
            return 0;
        return profile;
    }

    VirtualMouse mouse;
    fs::path memoryFile, wireLog;
    std::unique_ptr<Program> companion;
};

TEST_F(ProgramLinksTest, ALinkedProgramInFrontSwitchesTheProfileAndAnUnlinkedOneBringsItBack) {
    NamedProgram game(L"linkedgame.exe"), other(L"otherprogram.exe");
    ASSERT_TRUE(game.window() && other.window());
    ASSERT_TRUE(other.bringToFront());
    linkToProfile2(L"LinkedGame.EXE");
    setWindowsPointer(false, 3);
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    startCompanion();
    ASSERT_TRUE(following());
    ASSERT_EQ(activeProfile(), kProfile1);

    size_t mark = lineCount();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(game.bringToFront());
    ASSERT_TRUE(activeBecomes(kProfile2, 2 * kSwitchMs)) << "no switch to profile 2";
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    EXPECT_LE(elapsed.count(), kSwitchMs) << "the switch came late";
    EXPECT_EQ(windowsPointerAfter(DWORD(std::max<long long>(0, kSwitchMs - elapsed.count()))),
              kOff + 12)
        << "profile 2's Windows settings";
    EXPECT_EQ(countSince(mark, 'I'), 1u);
    EXPECT_EQ(countSince(mark, '!'), 2u) << "the live state of the profile's stage";
    EXPECT_EQ(countSince(mark, 'E'), 0u) << "a switch wrote into the block";

    ASSERT_TRUE(other.bringToFront());
    ASSERT_TRUE(activeBecomes(kProfile1, 2 * kSwitchMs)) << "profile 1 did not come back";
    EXPECT_EQ(windowsPointerAfter(kSwitchMs), kOn + 7) << "profile 1's Windows settings";

    // Alt-Tab past the linked program: half a second in front switches nothing.
    mark = lineCount();
    ASSERT_TRUE(game.bringToFront());
    ::Sleep(500);
    ASSERT_TRUE(other.bringToFront());
    ::Sleep(kSwitchMs); // proving that nothing happens
    EXPECT_EQ(countSince(mark, 'I'), 0u) << "a passing program switched the profile";
    EXPECT_EQ(activeProfile(), kProfile1);

    // The mouse's button while the linked program is in front: the user's choice stands.
    ASSERT_TRUE(game.bringToFront());
    ASSERT_TRUE(activeBecomes(kProfile2, 2 * kSwitchMs));
    ASSERT_TRUE(mouse.pressProfileButton());
    ASSERT_TRUE(activeBecomes(kProfile3, kSwitchMs));
    mark = lineCount();
    ASSERT_TRUE(other.bringToFront());
    ::Sleep(kSwitchMs); // proving that nothing happens
    EXPECT_EQ(countSince(mark, 'I'), 0u) << "the press was switched back";
    EXPECT_EQ(activeProfile(), kProfile3);

    // A linked program that ends while in front leaves it: back to the profile before.
    ASSERT_TRUE(game.bringToFront());
    ASSERT_TRUE(activeBecomes(kProfile2, 2 * kSwitchMs));
    ::PostMessageW(game.window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(game.program().ended(), 0);
    EXPECT_TRUE(activeBecomes(kProfile3, 2 * kSwitchMs)) << "the ended program kept its profile";
}

TEST_F(ProgramLinksTest, AMousePluggedInSwitchesAtOnceAConfigurationProgramDefersTheSwitch) {
    NamedProgram other(L"otherprogram.exe"), game(L"linkedgame.exe");
    ASSERT_TRUE(game.window() && other.window());
    ASSERT_TRUE(game.bringToFront());
    linkToProfile2(L"linkedgame.exe");
    startCompanion();
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    EXPECT_TRUE(activeBecomes(kProfile2, kExchangeTimeoutMs))
        << "the mouse plugged in under the linked program did not switch";

    ASSERT_TRUE(other.bringToFront());
    ASSERT_TRUE(activeBecomes(kProfile1, 2 * kSwitchMs));
    const size_t mark = lineCount();
    Program window(binFolder() / L"pelkocfg.exe");
    ASSERT_TRUE(window.window(L"Glimmerhaus Pelko"));
    ASSERT_TRUE(game.bringToFront());
    ::Sleep(2 * kSwitchMs); // proving that nothing happens
    EXPECT_EQ(countSince(mark, 'I'), 0u) << "a switch while the configuration program ran";
    EXPECT_EQ(activeProfile(), kProfile1);
    ASSERT_TRUE(window.closeMainWindow());
    EXPECT_TRUE(activeBecomes(kProfile2, kExchangeTimeoutMs))
        << "no switch after the configuration program ended";
}

// The menu names the program that was in front when it opened: its "2" links it (and the
// program, still in front, switches); "Linked programs" removes the link.
TEST_F(ProgramLinksTest, TheMenuLinksTheProgramInFrontAndRemovesTheLink) {
    NamedProgram game(L"linkedgame.exe");
    ASSERT_TRUE(game.window());
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    startCompanion();
    ASSERT_TRUE(following());
    ASSERT_TRUE(game.bringToFront());
    // Down to "Use profile for linkedgame.exe" (the 6th entry), its choices, down to "2".
    const std::vector<WPARAM> toUse(6, VK_DOWN);
    std::vector<WPARAM> keys = toUse;
    keys.insert(keys.end(), {VK_RIGHT, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(walkMenu(keys));
    EXPECT_EQ(storedLink(L"linkedgame.exe"), 2u);
    EXPECT_TRUE(activeBecomes(kProfile2, 2 * kSwitchMs)) << "the linked program in front";

    // "Linked programs" (the 7th entry), its one link.
    keys = toUse;
    keys.insert(keys.end(), {VK_DOWN, VK_RIGHT, VK_RETURN});
    ASSERT_TRUE(walkMenu(keys));
    EXPECT_EQ(storedLink(L"linkedgame.exe"), 0u) << "the link was not removed";
}

} // namespace
