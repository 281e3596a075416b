// The device layer's discovery and open over the system's own hid.dll and setupapi, the
// virtual mouse plugged: what the in-process stand-in answers from our own reading of those
// APIs, the real stack answers here.
#include "device/hid_device.h"
#include "device/mouse_ids.h"
#include "tests/support/program_process.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPointerPath =
    "\\\\?\\hid#vid_2719&pid_0604&mi_00#0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kVendorPath =
    "\\\\?\\hid#vid_2719&pid_0604&mi_01#0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kAbsentPath =
    "\\\\?\\hid#vid_2719&pid_0604&mi_07#0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr USAGE kVendorPage = 0xFF00;
constexpr ULONG kReportBytes = 9; // report id 0 and 8 data bytes
constexpr ULONG kDataBytes = 8;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

void expectNothingOpen(const HidDevice& device) {
    EXPECT_FALSE(hasOpenHandle(device));
    EXPECT_FALSE(hasValidPath(device));
    EXPECT_EQ(device.preparsed, nullptr);
    EXPECT_EQ(device.feature.dataEntries, nullptr);
    EXPECT_EQ(device.feature.dataEntryCount, 0u);
    EXPECT_EQ(device.input.dataEntries, nullptr);
}

class DeviceLayerOverTheSystemsStack : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    void SetUp() override {
        const fs::path folder = binFolder() / L"system-tests";
        fs::create_directories(folder);
        fs::remove(folder / L"device-layer.bin");
        ASSERT_TRUE(mouse.plug(folder / L"device-layer.bin", folder / L"device-layer.log"));
        installHidBus(systemHidBus());
    }

    VirtualMouse mouse;
};

TEST_F(DeviceLayerOverTheSystemsStack, FindsBothInterfacesOpensTheVendorOneAndFailsCleanly) {
    HidDevice* list = nullptr;
    int count = 0;
    ASSERT_TRUE(findKnownHidDevices(&list, &count, kPelkoVendorId, kPelkoProductId));
    std::vector<std::string> found;
    for (int i = 0; i < count; ++i) {
        if (!hasValidPath(list[i])) continue;
        found.push_back(lowerCase(list[i].path));
        EXPECT_EQ(list[i].attributes.VendorID, kPelkoVendorId) << list[i].path;
        EXPECT_EQ(list[i].attributes.ProductID, kPelkoProductId) << list[i].path;
        EXPECT_TRUE(hasOpenHandle(list[i])) << list[i].path;
        EXPECT_FALSE(list[i].readAccess || list[i].writeAccess) << list[i].path;
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{kPointerPath, kVendorPath}));
    for (int i = 0; i < count; ++i)
        closeHidDevice(list[i]);
    std::free(list);

    // The vendor collection: one 8-byte feature and input value range behind report id 0.
    HidDevice device = {};
    ASSERT_TRUE(openHidDevice(kVendorPath, true, true, false, false, device));
    EXPECT_EQ(device.caps.UsagePage, kVendorPage);
    EXPECT_EQ(device.caps.FeatureReportByteLength, kReportBytes);
    EXPECT_EQ(device.caps.InputReportByteLength, kReportBytes);
    EXPECT_EQ(device.caps.OutputReportByteLength, 0u);
    EXPECT_EQ(device.caps.NumberFeatureValueCaps, 1u);
    EXPECT_EQ(device.caps.NumberFeatureButtonCaps, 0u);
    ASSERT_EQ(device.feature.dataEntryCount, kDataBytes);
    ASSERT_NE(device.feature.dataEntries, nullptr);
    for (ULONG e = 0; e < kDataBytes; ++e) {
        EXPECT_FALSE(device.feature.dataEntries[e].isButton);
        EXPECT_EQ(device.feature.dataEntries[e].usagePage, kVendorPage);
        EXPECT_EQ(device.feature.dataEntries[e].value.usage, USAGE(e + 1));
    }
    EXPECT_EQ(device.input.dataEntryCount, kDataBytes);
    EXPECT_NE(device.feature.reportBuffer, nullptr);

    // A failed open into the same record releases what the record held.
    EXPECT_FALSE(openHidDevice(kAbsentPath, true, true, false, false, device));
    expectNothingOpen(device);
    closeHidDevice(device);
}

} // namespace
