#include "tests/device/device_fixture.h"

#include <cstdlib>

PanelValues testPanel() {
    PanelValues panel;
    panel.cpi1Code = 32;
    panel.cpi2Code = 64;
    panel.reportRateCode = 1;
    panel.buttonSwap = 1;
    panel.pointerSpeed = 7.0f;
    panel.acceleration = 0;
    panel.wheelLines = 9;
    panel.onePage = 0;
    return panel;
}

void DeviceTest::resetBus(int othersBefore) {
    releaseList();
    bus.reset();
    bus = std::make_unique<SimHidBus>(othersBefore);
    bus->install();
    sharedFeatureReport() = FeatureReport{};
    scratchArea() = ScratchArea{};
    settings = MouseSettings{};
    mirror = ProfileMirror{};
    firmwareVersion.clear();
    current = nullptr;
    currentProfile = 0;
}

void DeviceTest::releaseList() {
    for (int i = 0; list && i < count; ++i)
        closeHidDevice(list[i]);
    std::free(list);
    list = nullptr;
    count = 0;
    current = nullptr;
}

bool DeviceTest::enumerate(USHORT vendorId, USHORT productId) {
    return findKnownHidDevices(&list, &count, vendorId, productId);
}

HidDevice* DeviceTest::startUp() {
    findKnownHidDevices(&list, &count, kPelkoVendorId, kPelkoProductId);
    HidDevice* vendor = vendorRecord(list, count);
    if (vendor) vendor->unlocked = FALSE;
    current = vendor && startUpDevice(*vendor, settings, firmwareVersion) ? vendor : nullptr;
    if (current) currentProfile = settings.activeProfile;
    return current;
}

void DeviceTest::commit(CommitKind kind, const PanelValues& panel) {
    ASSERT_NE(current, nullptr);
    storeProfile(settings, mirror, panel, currentProfile);
    commitSettings(*current, settings, panel, currentProfile, kind);
}

std::vector<WireExchange> DeviceTest::exchangesSince(size_t first) const {
    if (first >= bus->wireLog.size()) return {};
    return {bus->wireLog.begin() + std::ptrdiff_t(first), bus->wireLog.end()};
}

std::array<uint8_t, 6> maskedPayload(std::initializer_list<uint8_t> payload, uint8_t mask) {
    std::array<uint8_t, 6> wire{};
    wire.fill(mask);
    size_t i = 0;
    for (auto value = payload.begin(); value != payload.end() && i < wire.size(); ++value) {
        wire[i++] = *value ^ mask;
    }
    return wire;
}
