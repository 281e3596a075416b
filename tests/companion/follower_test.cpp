// The companion's core over the simulated mouse in this process, Windows' pointer settings
// through the stand-in: what it applies when it opens the mouse and at a press, never from a
// profile nobody configured; its events only once the mouse is free again; its way out of
// sleep, past a hung window, and through its session's disconnects (the window's messages).
#include "companion/core/companion_window.h"
#include "companion/core/profile_follower.h"
#include "device/hid_bus.h"
#include "device/mouse_lock.h"
#include "sim/sim_bus.h"
#include "tests/support/fake_system_parameters.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>
#include <wtsapi32.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using State = ProfileFollower::State;

// Speed, acceleration and wheel bytes of profiles 1 to 3, each unlike Windows' start.
constexpr uint8_t kPointerBytes[3][3] = {{12, 1, 7}, {5, 0, 12}, {15, 1, 0x83}};

void seed(FirmwareMemory& memory, uint8_t markerA, uint8_t markerB, uint8_t activeOffset) {
    memory[0] = markerA;
    memory[1] = markerB;
    memory[6] = activeOffset;
    memory[7] = 1;
    for (int i = 0; i < 3; ++i)
        for (int b = 0; b < 3; ++b)
            memory[size_t(28 + 11 * i + 7 + b)] = kPointerBytes[i][b];
}

// Whether another thread could have the mouse at once.
bool mouseFree() {
    bool free = false;
    std::thread([&] { free = MouseLock(0).held(); }).join();
    return free;
}

// The follower's events in order, each noting whether the mouse was held while it was raised.
struct Recorder : FollowerEvents {
    std::vector<std::string> events;
    int raisedWhileHeld = 0;
    bool othersHoldTheMouse = false; // then the mouse is held whatever the follower does

    void note(const std::string& event) {
        events.push_back(event);
        if (!othersHoldTheMouse && !mouseFree()) ++raisedWhileHeld;
    }
    void mouseFound(const MouseState& state, const ProfileSettings* record) override {
        note("found " + std::to_string(state.activeProfile) + (record ? " with record" : ""));
    }
    void mouseLost() override { note("lost"); }
    void profileSelected(const MouseState& state, const ProfileSettings&,
                         const CarriedSettingsOutcome&) override {
        note("profile " + std::to_string(state.activeProfile));
    }
    void stageSelected(const MouseState& state) override {
        note("stage " + std::to_string(state.cpiStage));
    }
    void profileSwitched(const MouseState& state, const ProfileSettings&,
                         const CarriedSettingsOutcome&, const std::wstring& program) override {
        note("switched " + std::to_string(state.activeProfile) + " for " +
             std::string(program.begin(), program.end()));
    }
};

class FollowerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bus.install();
        windows.install();
    }
    void TearDown() override {
        FakeSystemParameters::uninstall();
        EXPECT_EQ(events.raisedWhileHeld, 0) << "an event was raised while the mouse was held";
    }

    // Windows' settings were set (not only read) since the mark.
    bool windowsChangedSince(size_t mark) const {
        for (size_t i = mark; i < windows.calls.size(); ++i)
            if (windows.calls[i].action == SPI_SETMOUSE ||
                windows.calls[i].action == SPI_SETMOUSESPEED ||
                windows.calls[i].action == SPI_SETWHEELSCROLLLINES)
                return true;
        return false;
    }

    SimHidBus bus{0};
    FakeSystemParameters windows;
    Recorder events;
    ProfileFollower follower{&events};
};

TEST_F(FollowerTest, OpeningAppliesTheActiveProfileAndAPressBeforeTheFirstPollIsFollowed) {
    seed(bus.firmware.memory, 12, 3, 11);
    follower.connect();
    ASSERT_EQ(follower.state(), State::Following);
    EXPECT_EQ(windows.wheelLines, 12u) << "profile 2's wheel lines at the open";
    EXPECT_EQ(windows.mouse[2], 0) << "profile 2's acceleration at the open";
    EXPECT_EQ(windows.speed, 5);

    bus.pressNextProfile(); // within the second before the first poll
    follower.poll();
    EXPECT_EQ(windows.wheelLines, UINT(WHEEL_PAGESCROLL)) << "profile 3 was not followed";
    EXPECT_EQ(events.events, (std::vector<std::string>{"found 11 with record", "profile 22"}));

    const size_t mark = windows.calls.size();
    follower.poll();
    EXPECT_FALSE(windowsChangedSince(mark)) << "an unchanged profile was applied again";
}

// Markers 0xFF (never configured), 10 (only profile 1 had its choices), 12 and 3 (all three):
// a profile the markers do not name holds factory bytes, and nothing of it reaches Windows.
TEST_F(FollowerTest, AProfileNobodyConfiguredAppliesNothingAtTheOpenOrAtAPress) {
    const struct {
        uint8_t markerA, markerB, active;
        bool openApplies, pressApplies;
    } cases[] = {
        {0xFF, 0xFF, 0, false, false}, {10, 0xFF, 0, true, false}, {10, 0xFF, 11, false, false},
        {12, 0xFF, 11, true, false},   {12, 3, 11, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "markers " << int(c.markerA) << ", " << int(c.markerB)
                                        << ", active " << int(c.active));
        follower.stepAside();
        seed(bus.firmware.memory, c.markerA, c.markerB, c.active);
        size_t mark = windows.calls.size();
        follower.connect();
        ASSERT_EQ(follower.state(), State::Following);
        EXPECT_EQ(windowsChangedSince(mark), c.openApplies) << "at the open";
        mark = windows.calls.size();
        bus.pressNextProfile();
        follower.poll();
        EXPECT_EQ(windowsChangedSince(mark), c.pressApplies) << "at the press";
    }
}

TEST_F(FollowerTest, APulledCableIsToldOnceTheMouseIsFree) {
    seed(bus.firmware.memory, 12, 3, 0);
    follower.connect();
    bus.unplug();
    follower.poll();
    EXPECT_EQ(follower.state(), State::Searching);
    EXPECT_EQ(events.events, (std::vector<std::string>{"found 0 with record", "lost"}));
}

// A resume notice that never comes: the next tick, poll or arrival opens the mouse again.
TEST_F(FollowerTest, AsleepTheNextTickOrArrivalOpensTheMouseAgain) {
    seed(bus.firmware.memory, 12, 3, 0);
    follower.connect();
    const std::pair<void (ProfileFollower::*)(), const char*> wakers[] = {
        {&ProfileFollower::retry, "retry tick"},
        {&ProfileFollower::poll, "poll tick"},
        {&ProfileFollower::interfaceArrived, "arrival"}};
    for (const auto& [wake, name] : wakers) {
        follower.suspend();
        ASSERT_EQ(follower.state(), State::Asleep);
        (follower.*wake)();
        EXPECT_EQ(follower.state(), State::Following) << name;
    }
}

// A window that hangs in the middle of a sequence holds the mouse: the companion's turn sees
// the window without waiting for the mouse, and steps aside.
TEST_F(FollowerTest, AWindowHungHoldingTheMouseCostsATurnNoWait) {
    seed(bus.firmware.memory, 12, 3, 0);
    follower.connect();
    HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread window([&] {
        HANDLE witness = ::CreateEventW(nullptr, TRUE, FALSE, hidBus().configurationProgramName);
        const MouseLock mouse;
        ::SetEvent(held);
        ::WaitForSingleObject(release, INFINITE);
        ::CloseHandle(witness);
    });
    ::WaitForSingleObject(held, INFINITE);
    events.othersHoldTheMouse = true;
    const auto start = std::chrono::steady_clock::now();
    follower.poll();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(follower.state(), State::Aside);
    EXPECT_LT(waited, std::chrono::milliseconds(kMouseLockWaitMs / 3));
    ::SetEvent(release);
    window.join();
    events.othersHoldTheMouse = false;
    follower.checkAside();
    EXPECT_EQ(follower.state(), State::Following);
    ::CloseHandle(held);
    ::CloseHandle(release);
}

// The session's notices reach the follower through the companion's window: a disconnected
// session makes no exchange, whatever ticks or notices come; a lock changes nothing; a
// reconnect opens the mouse again.
TEST_F(FollowerTest, TheSessionsDisconnectStopsEveryExchangeUntilItConnectsAgain) {
    seed(bus.firmware.memory, 12, 3, 0);
    CCompanionWnd window(follower, 1000);
    ASSERT_TRUE(window.CreateCompanion());
    window.StartFollowing();
    ASSERT_EQ(follower.state(), State::Following);
    const auto post = [&](WPARAM code) {
        ::PostMessageW(window.GetSafeHwnd(), WM_WTSSESSION_CHANGE, code, 0);
        pumpPending();
    };

    post(WTS_SESSION_LOCK);
    EXPECT_EQ(follower.state(), State::Following) << "a locked session stopped following";
    post(WTS_CONSOLE_DISCONNECT);
    EXPECT_EQ(follower.state(), State::Disconnected);
    const int exchanges = bus.exchangeCount();
    follower.poll();
    follower.retry();
    follower.interfaceArrived();
    follower.resume();
    follower.stepAside();
    follower.checkAside();
    EXPECT_EQ(bus.exchangeCount(), exchanges) << "an exchange while disconnected";
    post(WTS_REMOTE_CONNECT);
    EXPECT_EQ(follower.state(), State::Following);
    post(WTS_REMOTE_DISCONNECT);
    EXPECT_EQ(follower.state(), State::Disconnected);
    post(WTS_CONSOLE_CONNECT);
    EXPECT_EQ(follower.state(), State::Following);
    window.DestroyWindow();
}

// A system that refuses the session's notices twice, as early at logon, and then grants them.
std::vector<std::pair<HWND, DWORD>> registrationsAsked;
BOOL WINAPI grantTheThirdRegistration(HWND window, DWORD flags) {
    registrationsAsked.emplace_back(window, flags);
    return registrationsAsked.size() >= 3;
}

// Early at logon the system refuses the session's notices: the window asks again on its timer
// until it is granted, then never again.
TEST_F(FollowerTest, ARefusedRegistrationForTheSessionsNoticesIsAskedAgain) {
    registrationsAsked.clear();
    installSessionRegistration(grantTheThirdRegistration);
    CCompanionWnd window(follower, 1000);
    ASSERT_TRUE(window.CreateCompanion());
    const auto tick = [&] {
        ::PostMessageW(window.GetSafeHwnd(), WM_TIMER, kSessionRetryTimer, 0);
        pumpPending();
    };
    for (int i = 0; i < 4; ++i)
        tick();
    installSessionRegistration(nullptr);
    ASSERT_EQ(registrationsAsked.size(), 3u) << "asked again after a grant, or not until one";
    EXPECT_EQ(registrationsAsked.back().first, window.GetSafeHwnd());
    EXPECT_EQ(registrationsAsked.back().second, DWORD(NOTIFY_FOR_THIS_SESSION));
    window.DestroyWindow();
}

// A restore from the companion's menu can configure profiles the companion found unconfigured
// when it opened the mouse: told so, it reads the mouse anew and a press applies them.
TEST_F(FollowerTest, AfterARestoreFromTheMenuTheMouseIsReadAnew) {
    seed(bus.firmware.memory, 0xFF, 0xFF, 0);
    CCompanionWnd window(follower, 1000);
    ASSERT_TRUE(window.CreateCompanion());
    window.StartFollowing();
    ASSERT_EQ(follower.state(), State::Following);
    bus.firmware.memory[0] = 12; // as the restore's commit leaves them
    bus.firmware.memory[1] = 3;
    ::PostMessageW(window.GetSafeHwnd(), kMouseRewrittenMessage, 0, 0);
    pumpPending();
    const size_t mark = windows.calls.size();
    bus.pressNextProfile();
    follower.poll();
    EXPECT_TRUE(windowsChangedSince(mark)) << "profile 2's settings, configured by the restore";
    window.DestroyWindow();
}

// A program link's switch is the commit's tail alone: the select, the twin stage and the stage
// with the rate and swap of the profile's own record, no block write. Never to a profile nobody
// configured; the way back goes where the mouse was. Nothing while a window runs.
TEST_F(FollowerTest, ALinksSwitchSelectsWithTheRecordsLiveStateAndWritesNothing) {
    seed(bus.firmware.memory, 12, 0xFF, 0); // profiles 1 and 2 configured, 3 not
    bus.firmware.memory[7] = 2;
    bus.firmware.memory[28 + 11 + 5] = 1; // profile 2: report rate code 1, buttons swapped
    bus.firmware.memory[28 + 11 + 6] = 1;
    follower.connect();
    ASSERT_EQ(follower.state(), State::Following);
    const auto sentSince = [&](int mark) {
        std::vector<std::vector<int>> sent;
        for (size_t i = size_t(mark); i < bus.wireLog.size(); ++i) {
            const WireExchange& e = bus.wireLog[i];
            sent.push_back({e.command, e.payload[0], e.payload[1], e.payload[2]});
        }
        return sent;
    };

    int mark = bus.exchangeCount();
    EXPECT_EQ(follower.switchProfile(11, L"game.exe", true), ProfileFollower::Switch::Done);
    EXPECT_EQ(sentSince(mark),
              (std::vector<std::vector<int>>{{'I', 11, 0, 0}, {'!', 4, 1, 1}, {'!', 2, 1, 1}}));
    EXPECT_EQ(bus.firmware.memory[6], 11);
    EXPECT_EQ(follower.activeProfile(), 11);
    EXPECT_EQ(windows.wheelLines, 12u) << "profile 2's settings";
    follower.poll();
    EXPECT_EQ(events.events,
              (std::vector<std::string>{"found 0 with record", "switched 11 for game.exe"}))
        << "the switch was taken for the mouse's button";
    EXPECT_EQ(follower.buttonSelections(), 0u);

    mark = bus.exchangeCount();
    EXPECT_EQ(follower.switchProfile(22, L"game.exe", true), ProfileFollower::Switch::Refused);
    EXPECT_EQ(bus.exchangeCount(), mark) << "a switch to a profile nobody configured";
    size_t windowsMark = windows.calls.size();
    EXPECT_EQ(follower.switchProfile(22, L"", false), ProfileFollower::Switch::Done);
    EXPECT_EQ(bus.firmware.memory[6], 22) << "the way back";
    EXPECT_FALSE(windowsChangedSince(windowsMark)) << "factory bytes reached Windows";

    HANDLE witness = ::CreateEventW(nullptr, TRUE, FALSE, hidBus().configurationProgramName);
    mark = bus.exchangeCount();
    EXPECT_EQ(follower.switchProfile(0, L"game.exe", true), ProfileFollower::Switch::NotNow);
    EXPECT_EQ(follower.state(), State::Aside);
    EXPECT_EQ(bus.exchangeCount(), mark) << "a switch while a window runs";
    ::CloseHandle(witness);
}

} // namespace
