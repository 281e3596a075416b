// The device steps of Apply and OK, on a mouse that went through the whole start-up.
#include "tests/device/device_fixture.h"

#include <chrono>

namespace {

double millisecondsBetween(const WireExchange& earlier, const WireExchange& later) {
    return std::chrono::duration<double, std::milli>(later.at - earlier.at).count();
}

bool isCarriedThrough(int address) {
    if (address == 3 || address == 5 || (address >= 8 && address <= 27)) return true;
    if (address >= 61 && address <= 127) return true;
    if (address >= 28 && address <= 60) {
        const int field = (address - 28) % 11;
        return field == 4 || field == 10;
    }
    return false;
}

class CommitTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_NE(startUp(), nullptr);
        ASSERT_EQ(bus->exchangeCount(), StartUpExchanges);
        bus->wireLog.clear();
    }
};

} // namespace

TEST_F(CommitTest, ApplySendsTheWholeSequenceWithItsWaits) {
    bus->firmware.memory[7] = 2; // the user moved to stage 2 on the mouse
    commit(CommitKind::Apply);
    const std::vector<WireExchange>& wire = bus->wireLog;
    ASSERT_EQ(wire.size(), size_t(ApplyExchanges));
    EXPECT_EQ(wire[0].command, 'D');
    EXPECT_EQ(wire[0].payload, (std::array<uint8_t, 6>{7, 0, 0, 0, 0, 0}));
    for (int r = 0; r < 26; ++r) {
        EXPECT_EQ(wire[size_t(1 + r)].command, 'E');
        EXPECT_EQ(wire[size_t(1 + r)].payload[0], 5 * r);
    }
    EXPECT_GE(millisecondsBetween(wire[26], wire[27]), 200.0);
    EXPECT_EQ(wire[27].command, 'I');
    EXPECT_EQ(wire[27].payload, (std::array<uint8_t, 6>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(wire[28].command, '!');
    EXPECT_EQ(wire[28].payload, (std::array<uint8_t, 6>{4, 1, 1, 0, 0, 0}));
    EXPECT_GE(millisecondsBetween(wire[28], wire[29]), 400.0);
    EXPECT_EQ(wire[29].command, '!');
    EXPECT_EQ(wire[29].payload, (std::array<uint8_t, 6>{2, 1, 1, 0, 0, 0}));
    for (const WireExchange& exchange : wire) {
        EXPECT_EQ(exchange.result, ExchangeOutcome::Accepted);
        EXPECT_EQ(exchange.request[1], TransportMask);
    }

    const SimMemory& memory = bus->firmware.memory;
    const SimMemory factory = SimFirmware::factoryMemory();
    EXPECT_EQ(memory[2], 0x1F);
    EXPECT_EQ(memory[4], 0xE0);
    EXPECT_EQ(memory[7], 2);
    EXPECT_EQ(memory[128], 0);
    EXPECT_EQ(memory[129], 0);
    EXPECT_EQ(memory[0], 0xFF); // markers as the mouse held them
    EXPECT_EQ(memory[1], 0xFF);
    for (int a = 0; a < 128; ++a) {
        if (isCarriedThrough(a)) {
            EXPECT_EQ(memory[size_t(a)], factory[size_t(a)]) << a;
        }
    }
    const uint8_t profile1[] = {32, 64, 32, 64, 1, 1, 7, 0, 9};
    const int fields[] = {0, 1, 2, 3, 5, 6, 7, 8, 9};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(memory[size_t(28 + fields[i])], profile1[i]);
    EXPECT_EQ(bus->firmware.liveReportRate, 1);
    EXPECT_EQ(bus->firmware.liveButtonSwap, 1);
}

TEST_F(CommitTest, OkWritesBackWhatTheDeviceHeldAtTwoAndFour) {
    commit(CommitKind::Ok);
    ASSERT_EQ(bus->exchangeCount(), ApplyExchanges);
    EXPECT_EQ(bus->wireLog[1].payload,
              (std::array<uint8_t, 6>{0, 0xFF, 0xFF, 0x11, SimFirmware::carriedByte(3), 0x22}));
    EXPECT_EQ(bus->firmware.memory[2], 0x11);
    EXPECT_EQ(bus->firmware.memory[4], 0x22);
    // Stage 1: the twin stage 3 first, then stage 1.
    EXPECT_EQ(bus->wireLog[28].payload[0], 3);
    EXPECT_EQ(bus->wireLog[29].payload[0], 1);
}

TEST_F(CommitTest, AStageReadThatFailsOrIsRefusedKeepsTheStage) {
    settings.cpiStage = 3;
    bus->firmware.refusedAddresses = {{'D', 7}};
    commit(CommitKind::Apply);
    EXPECT_EQ(bus->wireLog[28].payload[0], 1);
    EXPECT_EQ(bus->wireLog[29].payload[0], 3);
    EXPECT_EQ(bus->firmware.memory[7], 3);

    bus->firmware.refusedAddresses.clear();
    bus->wireLog.clear();
    settings.cpiStage = 4;
    bus->faults.failReceiveAt = 0;
    commit(CommitKind::Apply);
    EXPECT_EQ(bus->wireLog[28].payload[0], 2);
    EXPECT_EQ(bus->wireLog[29].payload[0], 4);
    EXPECT_EQ(bus->wireLog[2].payload[3], 4); // the block carries the stage the copy held

    // A stage no twin exists for is sent as it is, both times (the mouse refuses it).
    bus->wireLog.clear();
    bus->faults = SimFaults{};
    bus->firmware.memory[7] = 9;
    commit(CommitKind::Apply);
    EXPECT_EQ(bus->wireLog[28].payload[0], 9);
    EXPECT_EQ(bus->wireLog[29].payload[0], 9);
    EXPECT_EQ(bus->wireLog[29].result, ExchangeOutcome::Refused);
}

TEST_F(CommitTest, ProfileSelectionNamesTheCurrentProfile) {
    bus->wireLog.clear();
    currentProfile = 22;
    settings.activeProfile = 22;
    commit(CommitKind::Apply);
    // The store sets address 6 of the copy to 0; only 'I' tells the mouse the profile.
    EXPECT_EQ(bus->wireLog[2].payload[2], 0);
    EXPECT_EQ(bus->wireLog[27].payload[0], 22);
    EXPECT_EQ(bus->firmware.memory[6], 22);
    EXPECT_EQ(bus->firmware.memory[50], 32);
}
