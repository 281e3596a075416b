// A test fixture with the simulated mouse installed as the HID bus, and the start-up and
// Apply steps the main window takes, reduced to their device calls.
#pragma once

#include "device/commit.h"
#include "device/config_block.h"
#include "device/device_requests.h"
#include "device/mouse_ids.h"
#include "sim/sim_bus.h"
#include "device/device_start_up.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Unlock (6), scratch read (9), firmware version (1), block read (26).
inline constexpr int StartUpExchanges = 6 + 9 + 1 + 26;
inline constexpr int ApplyExchanges = 30;

// A panel whose every value differs from the factory profiles.
PanelValues testPanel();

class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { resetBus(2); }
    void TearDown() override { releaseList(); }

    // A new bus with `othersBefore` other products ahead of the mouse, installed.
    void resetBus(int othersBefore);
    void releaseList();

    bool enumerate(USHORT vendorId = kPelkoVendorId, USHORT productId = kPelkoProductId);
    // The window's device start-up on the vendor interface, into this fixture's list and
    // settings; returns the current device or null.
    HidDevice* startUp();
    // storeProfile of the current profile, then commitSettings.
    void commit(CommitKind kind, const PanelValues& panel = testPanel());

    std::vector<WireExchange> exchangesSince(size_t first) const;

    std::unique_ptr<SimHidBus> bus;
    HidDevice* list = nullptr;
    int count = 0;
    HidDevice* current = nullptr;
    bool enumerated = false;
    std::wstring firmwareVersion;
    MouseSettings settings;
    ProfileMirror mirror;
    int currentProfile = 0;
};

// The mouse's vendor interface enumerated and opened for reading and writing, with the
// shared report prepared: the state the requests start from.
class OpenMouseTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(enumerate());
        device = &list[3];
        ASSERT_TRUE(openHidDevice(device->path, true, true, false, false, *device));
        prepareFeatureReport(sharedFeatureReport());
    }
    HidDevice* device = nullptr;
};

// The wire bytes 3 to 8 of a request that carries `payload` under `mask`.
std::array<uint8_t, 6> maskedPayload(std::initializer_list<uint8_t> payload, uint8_t mask);
