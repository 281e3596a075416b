// Program links in the companion over the virtual mouse: a program linked to profile 2 brought
// to the front switches the mouse (address 6 of its memory) and Windows' settings within 2 s by
// the select-profile and live-state requests alone, and an unlinked program brings profile 1
// back; half a second in front switches nothing; a press of the mouse's button stands; a linked
// program that ends counts as leaving; a configuration program keeps the switch away until it
// ends; a mouse plugged in while the linked program is in front switches.
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

} // namespace
