// Another program on the same mouse, its request coming in between a request of this program
// and its reply (sim/second_host.h): each whole sequence holds the mouse, so the other program
// waits for the sequence's end. A mouse held elsewhere past the bound is a failed exchange.
#include "device/mouse_lock.h"
#include "sim/second_host.h"
#include "tests/device/device_fixture.h"

#include <thread>

namespace {

using TwoHostsTest = DeviceTest;

} // namespace

TEST_F(TwoHostsTest, AnotherProgramsRequestWaitsForTheEndOfEachSequence) {
    {
        // Into the block read: there a record would take the other's identity text for its bytes.
        SecondHost other(*bus, StartUpExchanges - 5);
        ASSERT_NE(startUp(), nullptr);
        EXPECT_EQ(other.finish(), StartUpExchanges);
        for (int a = 0; a < 128; ++a)
            EXPECT_EQ(blockByte(settings, a), bus->firmware.memory[size_t(a)]) << a;
    }
    {
        // Between the last block write and the 200 ms wait.
        const int first = bus->exchangeCount();
        SecondHost other(*bus, first + 26);
        commit(CommitKind::Apply);
        EXPECT_EQ(other.finish(), first + ApplyExchanges);
    }
    {
        const int first = bus->exchangeCount();
        SecondHost other(*bus, first);
        const WatchReply reply = sendWatchRequest(*current);
        EXPECT_EQ(other.finish(), first + 1);
        EXPECT_EQ(reply.outcome, WatchOutcome::Answered);
        EXPECT_EQ(reply.activeProfile, bus->firmware.memory[6]);
        EXPECT_EQ(reply.cpiStage, bus->firmware.memory[7]);
    }
}

// Each sequence waits the bound, then sends nothing: the start-up fails as for a version
// request that could not be carried, the commit leaves the settings alone, the watch's tick
// ends without taking the mouse for lost.
TEST_F(TwoHostsTest, AMouseHeldElsewherePastTheBoundIsAFailedExchange) {
    ASSERT_NE(startUp(), nullptr);
    const int sent = bus->exchangeCount();
    const MouseSettings before = settings;
    HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        const MouseLock mouse;
        ::SetEvent(held);
        ::WaitForSingleObject(release, INFINITE);
    });
    ::WaitForSingleObject(held, INFINITE);

    EXPECT_FALSE(startUpDevice(*current, settings, firmwareVersion));
    commitSettings(*current, settings, testPanel(), currentProfile, CommitKind::Apply);
    EXPECT_EQ(settings.fixed2, before.fixed2);
    EXPECT_EQ(sendWatchRequest(*current).outcome, WatchOutcome::NoReply);
    EXPECT_TRUE(hasOpenHandle(*current) && current->unlocked && current->readAccess);
    EXPECT_EQ(bus->exchangeCount(), sent);
    ::SetEvent(release);
    holder.join();
    ::CloseHandle(held);
    ::CloseHandle(release);
}
