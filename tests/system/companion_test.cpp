// The companion, pelkotray.exe, over the virtual mouse and the system's own HID stack: the open
// and the mouse's profile button carry the profile's Windows settings (read back from Windows
// by a process of their own), the CPI button and a profile nobody configured nothing; a press
// right after the open; one companion per session; the pulled cable, the resume from sleep and
// a refused unlock; and no exchange of the companion's while a window runs, in every start
// order, also when only the window's witness tells of it. The companion polls every 100 ms where
// its exchanges must stand apart from the window's, which polls once a second.
#include "app/window_layout.h"
#include "sim/pelko_firmware.h"
#include "tests/e2e/remote_window.h"
#include "tests/system/companion_support.h"
#include "tests/system/virtual_mouse.h"
#include "tests/support/registry_access.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr size_t kApplyExchanges = 30;
// From a press of the mouse's button to Windows' new settings.
constexpr DWORD kFollowMs = 1500;
// From the window's end to the companion's first exchange.
constexpr long long kResumeMs = 2000;
constexpr UINT kTestPollMs = 100;
// The window's watch polls once a second; a poll sooner after its previous exchange is not its.
constexpr long long kWindowPollSpacingMs = 900;

// The seeded memory after the window's Apply of profile 1 without an edit.
std::vector<uint8_t> appliedMemory() {
    std::vector<uint8_t> memory = seededMemory();
    memory[2] = 0x1F;
    memory[4] = 0xE0;
    memory[128] = memory[129] = 0;
    return memory;
}

// The 30 requests of an Apply from lines[at]: stage read, 26 writes, select, two live states.
bool isApplyAt(const std::vector<WireLine>& lines, size_t at) {
    if (at + kApplyExchanges > lines.size()) return false;
    if (lines[at].command() != 'D' || lines[at].payload(0) != 7) return false;
    for (size_t i = 1; i <= 26; ++i)
        if (lines[at + i].command() != 'E' || lines[at + i].payload(0) != 5 * (i - 1)) return false;
    return lines[at + 27].command() == 'I' && lines[at + 28].command() == '!' &&
           lines[at + 29].command() == '!';
}

// What lies in lines[first, end) besides one window's own exchanges: its start-up, its watch a
// second apart, `applies` Applies. Empty when nothing does.
std::string foreignToOneWindow(const std::vector<WireLine>& lines, size_t first, size_t end,
                               int applies) {
    if (end > lines.size() || !isStartUpAt(lines, first) || first + kStartUpExchanges > end)
        return "the window's start-up is not whole";
    long long previous = lines[first + kStartUpExchanges - 1].milliseconds;
    for (size_t i = first + kStartUpExchanges; i < end;) {
        if (isApplyAt(lines, i) && i + kApplyExchanges <= end) {
            i += kApplyExchanges;
            previous = lines[i - 1].milliseconds;
            --applies;
        } else if (isWatch(lines[i]) && lines[i].milliseconds - previous >= kWindowPollSpacingMs) {
            previous = lines[i++].milliseconds;
        } else {
            return "exchange " + std::to_string(lines[i].index) + " is not the window's";
        }
    }
    return applies == 0 ? "" : "the Apply is not whole";
}

// Two windows' own exchanges in lines[first, end): two start-ups and each window's watch.
std::string foreignToTwoWindows(const std::vector<WireLine>& lines, size_t first, size_t end) {
    size_t startUp = 0, watch = 0;
    for (size_t i = first; i < end; ++i) {
        const uint8_t command = lines[i].command();
        if ((command >= 1 && command <= 6) || (command >= 0x10 && command <= 0x18) ||
            command == 0x22 || (command == 'D' && lines[i].payload(0) % 5 == 0))
            ++startUp;
        else if (isWatch(lines[i]))
            ++watch;
        else
            return "exchange " + std::to_string(lines[i].index) + " is neither window's";
    }
    const long long span = lines[end - 1].milliseconds - lines[first].milliseconds;
    if (startUp != 2 * kStartUpExchanges) return "not two start-ups";
    if (watch > size_t(2 * (span / kWindowPollSpacingMs + 1)))
        return "more polls than two windows make";
    return "";
}

// The window's start-up key: unwritable, the window sends the companion no message.
constexpr wchar_t kStartUpKey[] = L"Control Panel\\PELKOmouse\\Profile1";

enum class Order { CompanionFirst, WindowFirst, Together };

struct Round {
    bool memoryExact = false;
    std::string foreign = "the round did not end";
    long long resumeMs = -1;
    size_t windowExchanges = 0;
};

struct WindowSearch {
    DWORD process;
    bool found = false;
};

BOOL CALLBACK matchVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    search->found = owner == search->process && ::IsWindowVisible(window);
    return !search->found;
}

// Whether the process shows a window (a message box, say) now.
bool showsAWindow(DWORD process) {
    WindowSearch search{process};
    ::EnumWindows(matchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A hung program: every thread of the process stopped.
void suspendThreadsOf(DWORD process) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot, &entry); more;
         more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process) continue;
        if (HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            ::SuspendThread(thread);
            ::CloseHandle(thread);
        }
    }
    ::CloseHandle(snapshot);
}

// The index of the `n`th start-up (0: the first) from lines[from] on, by its first request;
// lines.size() when there is none.
size_t startUpFrom(const std::vector<WireLine>& lines, size_t from, int n = 0) {
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].command() == 1 && n-- == 0) return i;
    return lines.size();
}

// The window's first exchange after `mark`. Started together, the companion may have opened
// the mouse and polled before the window's start-up, which then follows only polls. (A lone
// start-up of the companion right after the window's cannot be told from that; every later
// exchange of the companion's can.)
size_t windowStartUp(const std::vector<WireLine>& lines, size_t mark, bool companionFirst) {
    const size_t first = startUpFrom(lines, mark);
    if (!companionFirst || first >= lines.size()) return first;
    const size_t next = startUpFrom(lines, first + 1);
    const bool onlyPolls =
        next < lines.size() && std::all_of(lines.begin() + ptrdiff_t(first + kStartUpExchanges),
                                           lines.begin() + ptrdiff_t(next), isWatch);
    return onlyPolls ? next : first;
}

class CompanionTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    void SetUp() override {
        const fs::path folder = binFolder() / L"companion-tests";
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
        fs::remove(wireLog);
        const std::vector<uint8_t> memory = seededMemory();
        std::ofstream(memoryFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
    }

    void TearDown() override { closeCompanion(); }

    void plug() {
        ASSERT_TRUE(mouse.plug(memoryFile, wireLog)) << "the virtual mouse did not plug in";
    }

    void startCompanion(UINT pollMs = 0) {
        if (pollMs)
            ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", std::to_wstring(pollMs).c_str());
        companion = std::make_unique<Program>(binFolder() / L"pelkotray.exe");
        ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", nullptr);
        ASSERT_TRUE(companion->started());
    }

    // The companion's hidden window, once it has made it.
    HWND companionWindow() const {
        HWND window = nullptr;
        waitFor(
            [&] {
                window = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
                DWORD process = 0;
                ::GetWindowThreadProcessId(window, &process);
                return window && process == companion->id();
            },
            kExchangeTimeoutMs);
        return window;
    }

    // Closed as a user's session would close it: WM_CLOSE to its window.
    void closeCompanion() {
        if (!companion) return;
        EXPECT_EQ(companion->ended(0), -1) << "the companion had ended";
        if (companion->ended(0) == -1) {
            ::PostMessageW(companionWindow(), WM_CLOSE, 0, 0);
            EXPECT_EQ(companion->ended(), 0);
        }
        companion.reset();
    }

    std::vector<WireLine> lines() const { return readWireLog(wireLog); }
    size_t lineCount() const { return lines().size(); }

    // A start-up from lines[from] and one watch request after it.
    bool waitForFollowing(size_t from) const {
        return waitFor(
            [&] {
                const std::vector<WireLine> now = lines();
                return now.size() > from + kStartUpExchanges && isStartUpAt(now, from) &&
                       isWatch(now.back());
            },
            kExchangeTimeoutMs);
    }

    // Once the windows have ended: how long until the companion opens the mouse again, as the
    // `n`th start-up from lines[from] (-1: not within 5 s); then until it polls.
    long long msToResume(size_t from, int n, size_t& resume) const {
        const auto start = std::chrono::steady_clock::now();
        std::vector<WireLine> all;
        if (!waitFor([&] { return (resume = startUpFrom(all = lines(), from, n)) < all.size(); },
                     5000))
            return -1;
        const auto elapsed = std::chrono::steady_clock::now() - start;
        waitForFollowing(resume);
        return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    }

    // One window started in `order` with the companion, an Apply in it, then closed; what the
    // wire log and the memory say of it. The companion polls again at its end.
    Round windowRound(Order order) {
        Round round;
        if (order == Order::CompanionFirst && !companion) {
            const size_t from = lineCount();
            startCompanion(kTestPollMs);
            if (!waitForFollowing(from)) return round;
        }
        if (order != Order::CompanionFirst) closeCompanion();
        const size_t mark = lineCount();
        if (order == Order::Together) startCompanion(kTestPollMs);
        Program window(binFolder() / L"pelkocfg.exe");
        RemoteWindow remote(window, false);
        if (!remote.found()) return round;
        if (order == Order::WindowFirst) {
            startCompanion(kTestPollMs);
            companionWindow();
            ::Sleep(300); // a few of its polls, were it to make them
        }
        remote.clickControl(layout::id::kApply);
        waitFor(
            [&] {
                const std::vector<WireLine> now = lines();
                return std::count_if(now.begin() + ptrdiff_t(mark), now.end(),
                                     [](const WireLine& l) { return l.command() == '!'; }) == 2;
            },
            kExchangeTimeoutMs);
        round.memoryExact = fileBytes(memoryFile) == appliedMemory();
        if (!window.closeMainWindow()) return round;
        // The companion's first start-up after the window's is its resume.
        const size_t first = windowStartUp(lines(), mark, order == Order::Together);
        size_t resume = 0;
        round.resumeMs = msToResume(first + 1, 0, resume);
        round.windowExchanges = resume - first;
        round.foreign = foreignToOneWindow(lines(), first, resume, 1);
        return round;
    }

    VirtualMouse mouse;
    fs::path memoryFile, wireLog;
    std::unique_ptr<Program> companion;
};

TEST_F(CompanionTest, TheProfileButtonCarriesTheProfilesWindowsSettingsTheCpiButtonNothing) {
    setWindowsPointer(false, 3);
    plug();
    startCompanion();
    ASSERT_TRUE(waitForFollowing(0));
    EXPECT_EQ(windowsPointerAfter(0), kOn + 7) << "the open did not apply the active profile 1";

    Program second(binFolder() / L"pelkotray.exe");
    EXPECT_EQ(second.ended(5000), 0) << "a second companion did not end at once";
    EXPECT_TRUE(companionWindow()) << "the first companion's window is gone";

    setWindowsPointer(false, 3);
    ASSERT_TRUE(mouse.pressCpiButton());
    EXPECT_EQ(windowsPointerAfter(kFollowMs), kOff + 3) << "the CPI button applied something";
    const struct {
        int windows;
        const char* profile;
    } presses[] = {{kOff + 12, "2"}, {kOff + 12, "3, which carries nothing"}, {kOn + 7, "1"}};
    for (const auto& press : presses) {
        ASSERT_TRUE(mouse.pressProfileButton());
        EXPECT_EQ(windowsPointerAfter(kFollowMs), press.windows) << "profile " << press.profile;
    }
    // Each selected profile's record read from its own address, nothing for the CPI press.
    std::vector<int> recordReads;
    const std::vector<WireLine> all = lines();
    for (auto line = all.begin() + kStartUpExchanges; line != all.end(); ++line)
        if (line->command() == 'D' && !isWatch(*line)) recordReads.push_back(line->payload(0));
    EXPECT_EQ(recordReads, (std::vector<int>{39, 44, 49, 50, 55, 60, 28, 33, 38}));
}

// The open's block read is the starting point: a press before the first poll is a press.
TEST_F(CompanionTest, APressInTheSecondAfterTheCompanionOpensTheMouseIsFollowed) {
    setWindowsPointer(true, 3);
    plug();
    startCompanion();
    ASSERT_TRUE(waitFor([&] { return lineCount() >= kStartUpExchanges; }, kExchangeTimeoutMs));
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_EQ(windowsPointerAfter(kFollowMs), kOff + 12) << "the press to profile 2 was missed";
}

// A mouse nobody configured (markers 0xFF) holds factory bytes: a wheel byte of 0xFF would
// turn Windows' wheel to page scrolling. Neither the open nor a press gives Windows anything.
TEST_F(CompanionTest, ANeverConfiguredMouseGivesWindowsNothing) {
    const FirmwareMemory factory = PelkoFirmware::factoryMemory();
    std::vector<uint8_t> memory(factory.begin(), factory.end());
    for (int i = 0; i < 3; ++i)
        memory[size_t(28 + 11 * i + 9)] = 0xFF;
    std::ofstream(memoryFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
    setWindowsPointer(true, 3);
    plug();
    startCompanion(kTestPollMs);
    ASSERT_TRUE(waitForFollowing(0));
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_EQ(windowsPointerAfter(kFollowMs), kOn + 3);
}

TEST_F(CompanionTest, APulledCableAndAResumeFromSleepAreFollowedThrough) {
    plug();
    startCompanion(kTestPollMs);
    ASSERT_TRUE(waitForFollowing(0));
    ASSERT_TRUE(mouse.unplug());
    ::Sleep(1000);
    EXPECT_EQ(companion->ended(0), -1) << "the companion ended";
    EXPECT_FALSE(showsAWindow(companion->id())) << "the companion showed a box";

    setWindowsPointer(true, 3);
    size_t before = lineCount();
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    ASSERT_TRUE(waitForFollowing(before)) << "the mouse plugged again was not opened";
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_EQ(windowsPointerAfter(kFollowMs), kOff + 12) << "profile 2";

    ::SendMessageW(companionWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    // Counted once the suspend is answered: a poll it found under way has ended by then.
    before = lineCount();
    ::Sleep(5 * kTestPollMs);
    EXPECT_EQ(lineCount(), before) << "the companion polled while the system suspended";
    ::SendMessageW(companionWindow(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(waitForFollowing(before)) << "the resume did not open the mouse again";
}

TEST_F(CompanionTest, ARefusedUnlockLeavesTheMouseUnpolled) {
    plug();
    ASSERT_TRUE(mouse.refuseCommands({6}));
    startCompanion(kTestPollMs);
    ASSERT_TRUE(waitFor([&] { return lineCount() >= kStartUpExchanges; }, kExchangeTimeoutMs));
    ::Sleep(10 * kTestPollMs);
    EXPECT_EQ(lineCount(), kStartUpExchanges);
    EXPECT_EQ(companion->ended(0), -1) << "the companion ended";
}

TEST_F(CompanionTest, NoExchangeOfTheCompanionWhileAWindowRunsInEveryStartOrder) {
    plug();
    const std::pair<Order, const char*> orders[] = {{Order::CompanionFirst, "companion first"},
                                                    {Order::WindowFirst, "window first"},
                                                    {Order::Together, "together"}};
    size_t windowExchanges = 0;
    for (const auto& [order, name] : orders) {
        SCOPED_TRACE(name);
        const Round round = windowRound(order);
        EXPECT_TRUE(round.memoryExact) << "the Apply's memory";
        EXPECT_EQ(round.foreign, "");
        EXPECT_GE(round.resumeMs, 0) << "the companion did not resume";
        EXPECT_LE(round.resumeMs, kResumeMs);
        // For scripts/soak-companion, which repeats this test.
        std::printf("window round: %s, memory %s, %s, companion back after %lld ms\n", name,
                    round.memoryExact ? "exact" : "wrong",
                    round.foreign.empty() ? "no foreign exchange" : round.foreign.c_str(),
                    round.resumeMs);
        windowExchanges += round.windowExchanges;
    }
    std::printf("window exchanges: %zu of %zu\n", windowExchanges, lineCount());
}

TEST_F(CompanionTest, TwoWindowsAndAHungOneKeepTheCompanionAwayUntilTheyEnd) {
    plug();
    startCompanion(kTestPollMs);
    ASSERT_TRUE(waitForFollowing(0));
    size_t mark = lineCount();
    {
        Program first(binFolder() / L"pelkocfg.exe"), second(binFolder() / L"pelkocfg.exe");
        ASSERT_TRUE(first.window(L"Glimmerhaus Pelko") && second.window(L"Glimmerhaus Pelko"));
        ::Sleep(1500);
        EXPECT_TRUE(first.closeMainWindow() && second.closeMainWindow());
    }
    size_t resume = 0;
    const long long resumeMs = msToResume(mark, 2, resume);
    EXPECT_GE(resumeMs, 0);
    EXPECT_LE(resumeMs, kResumeMs);
    EXPECT_EQ(foreignToTwoWindows(lines(), startUpFrom(lines(), mark), resume), "");

    mark = lineCount();
    {
        Program hung(binFolder() / L"pelkocfg.exe");
        ASSERT_TRUE(hung.window(L"Glimmerhaus Pelko"));
        suspendThreadsOf(hung.id());
        const size_t frozen = lineCount();
        ::Sleep(2000);
        EXPECT_EQ(lineCount(), frozen) << "the companion talked while the window hung";
        hung.kill();
    }
    const long long hungResumeMs = msToResume(mark, 1, resume);
    EXPECT_GE(hungResumeMs, 0);
    EXPECT_LE(hungResumeMs, kResumeMs);
    EXPECT_EQ(foreignToOneWindow(lines(), startUpFrom(lines(), mark), resume, 0), "");
    // Back after the killed window: the open gave Windows profile 1, a press gives profile 2.
    setWindowsPointer(false, 3);
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_EQ(windowsPointerAfter(kFollowMs), kOff + 12) << "not following after the kill";
}

// A window whose start-up key cannot be written sends the companion no message: only the
// window's witness keeps the companion's polls away from its start-up and its Apply.
TEST_F(CompanionTest, AWindowThatSendsNoMessageKeepsTheCompanionAwayByItsWitness) {
    plug();
    ASSERT_TRUE(setRegistryKeyWritable(kStartUpKey, false));
    const Round round = windowRound(Order::CompanionFirst);
    EXPECT_TRUE(setRegistryKeyWritable(kStartUpKey, true));
    EXPECT_TRUE(round.memoryExact) << "the Apply's memory";
    EXPECT_EQ(round.foreign, "");
    EXPECT_GE(round.resumeMs, 0) << "the companion did not resume";
}

} // namespace
