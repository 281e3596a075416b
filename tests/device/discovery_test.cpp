// Discovery, open, capability tables, release and loss of HID interfaces.
#include "tests/device/device_fixture.h"

#include <cstring>
#include <string>

namespace {

bool pathNames(const HidDevice& device, const char* part) {
    return hasValidPath(device) && std::strstr(device.path, part) != nullptr;
}

} // namespace

TEST_F(DeviceTest, OtherProductsLeaveEmptyRecordsThatTheCountIncludes) {
    ASSERT_TRUE(enumerate());
    ASSERT_EQ(count, 4);
    EXPECT_EQ(list[0].path, nullptr);
    EXPECT_EQ(list[1].path, nullptr);
    EXPECT_EQ(list[0].handle, nullptr);
    ASSERT_TRUE(pathNames(list[2], "vid_2719&pid_0604&mi_00#7&1f3a8b2&0&0000#{4d1e55b2-"));
    ASSERT_TRUE(pathNames(list[3], "vid_2719&pid_0604&mi_01#7&2c6e1f0&0&0000#{4d1e55b2-"));
    for (int i : {2, 3}) {
        EXPECT_TRUE(hasOpenHandle(list[i]));
        EXPECT_FALSE(list[i].readAccess || list[i].writeAccess || list[i].overlapped ||
                     list[i].exclusive || list[i].unlocked);
        EXPECT_EQ(list[i].attributes.VendorID, kPelkoVendorId);
        EXPECT_EQ(list[i].attributes.ProductID, kPelkoProductId);
    }
    EXPECT_EQ(list[3].caps.UsagePage, 0xFF00);
    EXPECT_EQ(list[3].caps.FeatureReportByteLength, 9);
    // Opened with no access and shared; only the two matching interfaces were opened.
    EXPECT_EQ(bus->createdPaths.size(), 2u);
    EXPECT_EQ(bus->openHandleCount(), 2);
}

TEST_F(DeviceTest, ManyInterfacesGrowTheListAndKeepEarlierRecords) {
    resetBus(0);
    SimInterface secondMouse = simMouseVendor();
    secondMouse.path.replace(secondMouse.path.find(L"2c6e1f0"), 7, L"3d7f2a1");
    for (int i = 0; i < 7; ++i)
        bus->interfaces.push_back(simOtherDevice(0x045E, 0x07A5, i));
    bus->interfaces.push_back(secondMouse); // index 9: the list has grown to 16 by then
    for (int i = 7; i < 14; ++i)
        bus->interfaces.push_back(simOtherDevice(0x045E, 0x07A5, i));

    ASSERT_TRUE(enumerate());
    ASSERT_EQ(count, 17); // 8 -> 16 -> 32 records
    EXPECT_TRUE(pathNames(list[0], "mi_00#7&1f3a8b2"));
    EXPECT_TRUE(pathNames(list[1], "mi_01#7&2c6e1f0"));
    EXPECT_TRUE(pathNames(list[9], "mi_01#7&3d7f2a1"));
    for (int i = 0; i < count; ++i) {
        if (i == 0 || i == 1 || i == 9) {
            EXPECT_TRUE(hasOpenHandle(list[i])) << i;
            EXPECT_EQ(list[i].feature.dataEntryCount, i == 0 ? 0u : 9u) << i;
        } else {
            EXPECT_EQ(list[i].path, nullptr) << i;
        }
    }
    // The early records still work after the list moved: re-open and talk to the mouse.
    ASSERT_TRUE(openHidDevice(list[1].path, true, true, false, false, list[1]));
    EXPECT_TRUE(runDeviceInitialisation(list[1], firmwareVersion));
    EXPECT_TRUE(list[1].unlocked);
}

TEST_F(DeviceTest, VendorAndProductZeroOpenEveryInterface) {
    ASSERT_TRUE(enumerate(0, 0));
    ASSERT_EQ(count, 4);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(hasOpenHandle(list[i])) << i;
    EXPECT_TRUE(pathNames(list[0], "vid_046d&pid_c31c"));
    EXPECT_EQ(list[0].input.dataEntryCount, 2u);
    EXPECT_EQ(list[0].output.dataEntryCount, 1u);
    EXPECT_EQ(bus->openHandleCount(), 4);
}

TEST_F(DeviceTest, FailuresDuringEnumerationKeepTheRecordsBeforeThem) {
    // An interface that refuses CreateFileA ends the enumeration with false.
    resetBus(1);
    bus->interfaces[1].refuseCreate = true; // the pointer interface
    bus->interfaces.push_back(simOtherDevice(0x1234, 0x5678, 9));
    std::swap(bus->interfaces[1], bus->interfaces[2]); // vendor interface first
    EXPECT_FALSE(enumerate());
    ASSERT_EQ(count, 3);
    EXPECT_EQ(list[0].path, nullptr);
    EXPECT_TRUE(pathNames(list[1], "mi_01"));
    EXPECT_EQ(list[2].path, failedOpenPath());
    EXPECT_EQ(list[2].handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(hasValidPath(list[2]));
    ASSERT_TRUE(openHidDevice(list[1].path, true, true, false, false, list[1]));
    EXPECT_TRUE(runDeviceInitialisation(list[1], firmwareVersion));
    EXPECT_EQ(firmwareVersion, L" Version 1.2.7 ");

    // An index the bus cannot enumerate stays empty and the next index follows.
    resetBus(2);
    bus->interfaces[0].enumerationError = true;
    EXPECT_TRUE(enumerate());
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(pathNames(list[3], "mi_01"));

    // A detail that cannot be fetched ends the enumeration with false.
    resetBus(2);
    bus->interfaces[3].detailError = true;
    EXPECT_FALSE(enumerate());
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(pathNames(list[2], "mi_00"));
    EXPECT_EQ(list[3].path, nullptr);
}

TEST_F(DeviceTest, CapabilityTablesHoldOneEntryPerUsageOfEveryValueRange) {
    ASSERT_TRUE(enumerate());
    // Pointer interface, input: buttons 1-5, values X..Y (a range) and the wheel.
    const HidReportTables& pointer = list[2].input;
    ASSERT_EQ(pointer.dataEntryCount, 4u);
    EXPECT_EQ(pointer.dataEntries[0].isButton, 1);
    EXPECT_EQ(pointer.dataEntries[0].usagePage, 0x09);
    EXPECT_EQ(pointer.dataEntries[0].status, HIDP_STATUS_SUCCESS);
    EXPECT_EQ(pointer.dataEntries[0].button.usageMin, 1u);
    EXPECT_EQ(pointer.dataEntries[0].button.usageMax, 5u);
    EXPECT_EQ(pointer.dataEntries[0].button.maxUsageCount, 5u);
    ASSERT_NE(pointer.dataEntries[0].button.usages, nullptr);
    const USAGE pointerUsages[] = {0x30, 0x31, 0x38};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pointer.dataEntries[1 + i].isButton, 0);
        EXPECT_EQ(pointer.dataEntries[1 + i].value.usage, pointerUsages[i]);
        EXPECT_EQ(pointer.dataEntries[1 + i].status, HIDP_STATUS_SUCCESS);
    }
    EXPECT_NE(pointer.reportBuffer, nullptr);
    EXPECT_EQ(list[2].output.dataEntryCount, 0u);

    // Vendor interface, feature: usages 1..8 as a range, then 0x20.
    const HidReportTables& feature = list[3].feature;
    ASSERT_EQ(feature.dataEntryCount, 9u);
    for (USAGE u = 0; u < 8; ++u)
        EXPECT_EQ(feature.dataEntries[u].value.usage, USAGE(1 + u));
    EXPECT_EQ(feature.dataEntries[8].value.usage, 0x20);
    EXPECT_EQ(feature.dataEntries[8].usagePage, 0xFF00);
    EXPECT_EQ(feature.valueCaps[0].Range.UsageMax, 8);
}

TEST_F(DeviceTest, ReopeningReleasesTheEarlierOpenFirst) {
    ASSERT_TRUE(enumerate());
    ASSERT_EQ(bus->openHandleCount(), 2);
    ASSERT_EQ(bus->outstandingPreparsedCount(), 2);
    const std::string path = list[3].path;
    const HANDLE first = list[3].handle;

    // Its own path as the argument: copied before the release.
    ASSERT_TRUE(openHidDevice(list[3].path, true, true, false, false, list[3]));
    EXPECT_EQ(std::string(list[3].path), path);
    EXPECT_NE(list[3].handle, first);
    EXPECT_TRUE(list[3].readAccess && list[3].writeAccess);
    EXPECT_EQ(bus->openHandleCount(), 2);
    EXPECT_EQ(bus->outstandingPreparsedCount(), 2);

    // Overlapped: the handle is opened again with the flag.
    ASSERT_TRUE(openHidDevice(path.c_str(), true, true, true, false, list[3]));
    EXPECT_TRUE(list[3].overlapped);
    EXPECT_EQ(bus->openHandleCount(), 2);

    // The pointer interface refuses read/write access: a failed open marks the record.
    EXPECT_FALSE(openHidDevice(list[2].path, true, true, false, false, list[2]));
    EXPECT_EQ(list[2].path, failedOpenPath());
    EXPECT_EQ(list[2].handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(bus->openHandleCount(), 1);
    EXPECT_EQ(bus->outstandingPreparsedCount(), 1);
    EXPECT_FALSE(openHidDevice(list[2].path, true, true, false, false, list[2]));

    closeHidDevice(list[3]);
    EXPECT_EQ(list[3].path, nullptr);
    EXPECT_EQ(list[3].handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(list[3].feature.dataEntries, nullptr);
    EXPECT_EQ(bus->openHandleCount(), 0);
    EXPECT_EQ(bus->outstandingPreparsedCount(), 0);
    closeHidDevice(list[3]);
    EXPECT_EQ(bus->badCloseCount, 0);
}

// CreateFileA succeeds and a later call of the open fails: the handle is closed again and no
// preparsed data stays outstanding.
TEST_F(DeviceTest, AnOpenThatFailsAfterCreateFileLeavesNothingOpen) {
    const std::wstring widePath = simMouseVendor().path;
    const std::string path(widePath.begin(), widePath.end()); // ASCII
    for (bool SimInterface::*fault : {&SimInterface::failPreparsedData,
                                      &SimInterface::failAttributes, &SimInterface::failCaps}) {
        resetBus(2);
        bus->interfaces[3].*fault = true;
        HidDevice device{};
        EXPECT_FALSE(openHidDevice(path.c_str(), true, true, false, false, device));
        EXPECT_EQ(bus->createdPaths.size(), 1u);
        EXPECT_EQ(bus->openHandleCount(), 0);
        EXPECT_EQ(bus->outstandingPreparsedCount(), 0);
        EXPECT_FALSE(hasOpenHandle(device));
        closeHidDevice(device);
        EXPECT_EQ(bus->badCloseCount, 0);
    }
}

TEST_F(DeviceTest, ALostDeviceKeepsItsRecordButNoHandleOrRights) {
    ASSERT_NE(startUp(), nullptr);
    ASSERT_TRUE(current->unlocked);
    markDeviceLost(*current);
    EXPECT_EQ(current->handle, nullptr);
    EXPECT_FALSE(current->readAccess || current->writeAccess || current->unlocked);
    EXPECT_TRUE(hasValidPath(*current));
    EXPECT_EQ(bus->openHandleCount(), 1); // the pointer interface's
    closeHidDevice(*current);
    EXPECT_EQ(bus->badCloseCount, 0);
}
