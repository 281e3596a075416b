// One opened HID interface, its capability tables, and the discovery of the mouse's interfaces.
#pragma once

#include "device/hid_bus.h"

// One entry of a report kind's data list: a button capability or one usage of a value.
struct HidDataEntry {
    BOOLEAN isButton;
    USAGE usagePage;
    NTSTATUS status;
    ULONG reportId;
    union {
        struct {
            ULONG usageMin;
            ULONG usageMax;
            ULONG maxUsageCount;
            USAGE* usages;
        } button;
        struct {
            USAGE usage;
        } value;
    };
};

// The tables of one report kind (input, output or feature).
struct HidReportTables {
    BYTE* reportBuffer;
    HidDataEntry* dataEntries;
    ULONG dataEntryCount;
    HIDP_BUTTON_CAPS* buttonCaps;
    HIDP_VALUE_CAPS* valueCaps;
};

struct HidDevice {
    char* path; // null for an empty record; failedOpenPath() after a failed open
    HANDLE handle;
    BOOL readAccess;
    BOOL writeAccess;
    BOOL overlapped;
    BOOL exclusive;
    BOOL unlocked;
    PHIDP_PREPARSED_DATA preparsed;
    HIDP_CAPS caps;
    HIDD_ATTRIBUTES attributes;
    HidReportTables input;
    HidReportTables output;
    HidReportTables feature;
};

// The marker stored in `path` of a record whose open failed.
char* failedOpenPath();

// True when the record holds a path of an interface that opened.
bool hasValidPath(const HidDevice& device);

// True when the record holds an open handle (neither released nor lost).
bool hasOpenHandle(const HidDevice& device);

// Lists every present HID interface whose path names both identifiers (every interface when
// either is 0) and opens each with no access. The list is heap memory kept for the whole run;
// `count` counts every index examined, empty records of other interfaces included.
bool findKnownHidDevices(HidDevice** list, int* count, USHORT vendorId, USHORT productId);

// Opens `path` into `device`, releasing whatever the record held before.
bool openHidDevice(const char* path, bool read, bool write, bool overlapped, bool exclusive,
                   HidDevice& device);

// Builds the capability tables of the three report kinds.
bool fillDeviceInfo(HidDevice& device);

// Releases the path, handle, preparsed data and tables of the record.
void closeHidDevice(HidDevice& device);

// The device watch found the device gone: close the handle and forget the access rights.
void markDeviceLost(HidDevice& device);
