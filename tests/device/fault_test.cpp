// The mouse unplugged at every exchange of start-up and of Apply: no crash, and nothing ever
// reaches the mouse's memory that neither the mouse nor the panel gave.
#include "tests/device/device_fixture.h"

#include <set>
#include <string>

namespace {

// The values an address may hold after any mix of start-up, Apply and the unplug: the
// factory value, or what the panel, Apply's fixed values and the profile/stage requests give.
std::set<uint8_t> allowedValues(int address, int currentProfile, const PanelValues& panel) {
    const SimMemory factory = SimFirmware::factoryMemory();
    std::set<uint8_t> allowed = {factory[size_t(address)]};
    if (address == 2) allowed.insert(0x1F);
    if (address == 4) allowed.insert(0xE0);
    if (address == 6) allowed.insert({0, uint8_t(currentProfile)});
    if (address == 7) allowed.insert({1, 3}); // factory stage 1 and its twin
    if (address >= 128) allowed.insert(0);
    const int base = 28 + currentProfile;
    if (address >= base && address < base + 11) {
        const uint8_t stored[11] = {
            uint8_t(panel.cpi1Code),   uint8_t(panel.cpi2Code),     uint8_t(panel.cpi1Code),
            uint8_t(panel.cpi2Code),   factory[size_t(base + 4)],   uint8_t(panel.reportRateCode),
            uint8_t(panel.buttonSwap), uint8_t(panel.pointerSpeed), uint8_t(panel.acceleration),
            uint8_t(panel.wheelLines), factory[size_t(base + 10)]};
        allowed.insert(stored[address - base]);
    }
    return allowed;
}

std::string unexpectedBytes(const SimMemory& memory, int currentProfile) {
    std::string report;
    for (int a = 0; a < 130; ++a) {
        if (!allowedValues(a, currentProfile, testPanel()).count(memory[size_t(a)])) {
            report += " address " + std::to_string(a) + " = " + std::to_string(memory[size_t(a)]);
        }
    }
    return report;
}

} // namespace

TEST_F(DeviceTest, UnplugAtEveryStartUpExchangeThenApplyAfterReplug) {
    for (int n = 0; n < StartUpExchanges; ++n) {
        resetBus(2);
        bus->faults.unplugAt = n;
        HidDevice* device = startUp();
        // Start-up fails at the version request unless the mouse left during the block read.
        EXPECT_EQ(device != nullptr, n >= 16) << n;
        // Each loop stops at its failure; the version request follows either way.
        const int expected = n < 6 ? n + 3 : n < 15 ? n + 2 : n < 16 ? 16 : StartUpExchanges;
        EXPECT_EQ(bus->exchangeCount(), expected) << n;
        bus->replug();
        if (device) {
            EXPECT_EQ(currentProfile, 0) << n;
            commit(CommitKind::Apply);
        }
        EXPECT_EQ(unexpectedBytes(bus->firmware.memory, currentProfile), "") << "unplug at " << n;
    }
}

TEST_F(DeviceTest, UnplugAtEveryApplyExchange) {
    for (int n = 0; n < ApplyExchanges; ++n) {
        resetBus(2);
        ASSERT_NE(startUp(), nullptr);
        const int first = bus->exchangeCount();
        bus->faults.unplugAt = first + n;
        commit(CommitKind::Apply);
        const std::vector<WireExchange> wire = exchangesSince(size_t(first));
        ASSERT_EQ(wire.size(), size_t(ApplyExchanges)) << n;
        for (int i = 0; i < ApplyExchanges; ++i) {
            const bool gone = i >= n;
            EXPECT_EQ(wire[size_t(i)].result == ExchangeOutcome::SendFailed, gone) << n << " " << i;
        }
        EXPECT_EQ(unexpectedBytes(bus->firmware.memory, currentProfile), "") << "unplug at " << n;
        // The next watch tick finds the device gone.
        EXPECT_EQ(sendWatchRequest(*current).outcome, WatchOutcome::DeviceLost);
        EXPECT_EQ(current->handle, nullptr);
    }
}
