// Reading and writing the configuration memory and storing a profile.
#include "tests/device/device_fixture.h"

#include <cstring>

namespace {

using BlockTest = OpenMouseTest;

} // namespace

TEST_F(BlockTest, ReadSkipsRefusedRecordsAndKeepsTheirFields) {
    for (int a = 0; a < 130; ++a)
        setBlockByte(settings, a, 0x77);
    bus->firmware.refusedAddresses = {{'D', 10}, {'D', 125}};
    bus->faults.failSendAt = 20; // record 20 lost on the way
    EXPECT_EQ(readConfigBlock(*device, settings), 23);
    ASSERT_EQ(bus->exchangeCount(), 26);
    for (int r = 0; r < 26; ++r) {
        EXPECT_EQ(bus->wireLog[size_t(r)].command, 'D');
        EXPECT_EQ(bus->wireLog[size_t(r)].request[3], uint8_t(5 * r) ^ TransportMask);
    }
    const SimMemory& memory = bus->firmware.memory;
    for (int a = 0; a < 128; ++a) {
        const int record = a / 5;
        const bool skipped = record == 2 || record == 20 || record == 25;
        EXPECT_EQ(settings.recordRead[record], !skipped) << a;
        EXPECT_EQ(blockByte(settings, a), skipped ? 0x77 : memory[size_t(a)]) << a;
    }
    // Markers are zero-extended; 128 and 129 have no place in the copy.
    EXPECT_EQ(settings.defaultsMarkerA, 0x00FF);
    EXPECT_EQ(settings.defaultsMarkerB, 0x00FF);
    EXPECT_EQ(blockByte(settings, 128), 0);
    EXPECT_EQ(blockByte(settings, 129), 0);
    // Signed fields: the third profile's wheel byte 0x83 reads negative.
    EXPECT_LT(settings.profiles[2].wheelLines, 0);
}

TEST_F(BlockTest, WriteSendsReadRecordsOnlyWithZeroAt128And129) {
    bus->firmware.refusedAddresses = {{'D', 20}};
    readConfigBlock(*device, settings);
    setBlockByte(settings, 0, 10);
    bus->wireLog.clear();
    writeConfigBlock(*device, settings);
    ASSERT_EQ(bus->exchangeCount(), 25);
    int r = 0;
    for (const WireExchange& wire : bus->wireLog) {
        if (r == 4) ++r; // never read, never written
        EXPECT_EQ(wire.command, 'E');
        EXPECT_EQ(wire.payload[0], 5 * r);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(wire.payload[size_t(1 + i)], blockByte(settings, 5 * r + i)) << r;
        }
        ++r;
    }
    const SimMemory& memory = bus->firmware.memory;
    EXPECT_EQ(memory[0], 10);
    EXPECT_EQ(memory[128], 0);
    EXPECT_EQ(memory[129], 0);
    for (int a = 20; a < 25; ++a)
        EXPECT_EQ(memory[size_t(a)], SimFirmware::carriedByte(a));
}

TEST(StoreProfile, EncodesThePanelIntoTheRecordAndTheMirror) {
    MouseSettings settings;
    for (int a = 2; a < 128; ++a)
        setBlockByte(settings, a, uint8_t(0xC0 + a % 50));
    settings.activeProfile = 22;
    ProfileMirror mirror;
    PanelValues panel;
    panel.cpi1Code = 0x110; // only the low byte is stored
    panel.cpi2Code = 64;
    panel.reportRateCode = 1;
    panel.buttonSwap = 1;
    panel.pointerSpeed = 10.5f;
    panel.acceleration = 0;
    panel.wheelLines = 5;
    panel.onePage = 0x80;

    const MouseSettings before = settings;
    EXPECT_TRUE(storeProfile(settings, mirror, panel, 11));
    const int b = 28 + 11;
    const uint8_t expected[11] = {0x10, 64, 0x10, 64,   blockByte(before, b + 4), 1,
                                  1,    10, 0,    0x85, blockByte(before, b + 10)};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(blockByte(settings, b + i), expected[i]) << i;
    EXPECT_EQ(settings.activeProfile, 0);
    for (int a = 0; a < 128; ++a) {
        if (a != 6 && (a < b || a > b + 10)) {
            EXPECT_EQ(blockByte(settings, a), blockByte(before, a));
        }
    }
    const ProfileMirrorEntry& entry = mirror.profiles[1];
    EXPECT_EQ(entry.cpi1Code, 0x110);
    EXPECT_EQ(entry.cpi2Code, 64);
    EXPECT_EQ(entry.reportRateCode, 1);
    EXPECT_EQ(entry.buttonSwap, 1);
    EXPECT_EQ(entry.pointerSpeed, 10.5f);
    EXPECT_EQ(entry.acceleration, 0);
    EXPECT_EQ(entry.wheelValue, 0x85);

    // Truncation toward zero, and a value no byte holds stores 0.
    panel.pointerSpeed = -3.7f;
    storeProfile(settings, mirror, panel, 0);
    EXPECT_EQ(settings.profiles[0].pointerSpeed, -3);
    panel.pointerSpeed = 1e30f;
    storeProfile(settings, mirror, panel, 22);
    EXPECT_EQ(settings.profiles[2].pointerSpeed, 0);

    // Any other offset stores nothing at all.
    const MouseSettings stored = settings;
    const ProfileMirror storedMirror = mirror;
    settings.activeProfile = 11;
    for (int offset : {-11, 1, 10, 33, 128}) {
        EXPECT_FALSE(storeProfile(settings, mirror, panel, offset));
    }
    EXPECT_EQ(settings.activeProfile, 11);
    settings.activeProfile = stored.activeProfile;
    EXPECT_EQ(std::memcmp(&settings, &stored, sizeof settings), 0);
    EXPECT_EQ(std::memcmp(&mirror, &storedMirror, sizeof mirror), 0);
}
