// The capability tables of an opened interface: one data entry per button capability and one
// per usage of every value capability.
#include "device/hid_device.h"

#include <cstdlib>

namespace {

// Zeroed heap memory; a count of zero still yields a block, so an empty table is no failure.
template <typename T> T* zeroedArray(size_t count) {
    return static_cast<T*>(std::calloc(count ? count : 1, sizeof(T)));
}

// An inverted range describes no usage.
ULONG valueUsageCount(const HIDP_VALUE_CAPS& caps) {
    if (!caps.IsRange) return 1;
    if (caps.Range.UsageMax < caps.Range.UsageMin) return 0;
    return ULONG(caps.Range.UsageMax) - caps.Range.UsageMin + 1;
}

struct KindShape {
    HIDP_REPORT_TYPE kind;
    USHORT reportLength;
    USHORT buttonCapsCount;
    USHORT valueCapsCount;
};

bool addButtonEntry(const HidDevice& device, HIDP_REPORT_TYPE kind, const HIDP_BUTTON_CAPS& caps,
                    HidDataEntry& entry) {
    entry.isButton = 1;
    entry.status = HIDP_STATUS_SUCCESS;
    entry.usagePage = caps.UsagePage;
    entry.button.usageMin = caps.IsRange ? caps.Range.UsageMin : caps.NotRange.Usage;
    entry.button.usageMax = caps.IsRange ? caps.Range.UsageMax : caps.NotRange.Usage;
    entry.button.maxUsageCount =
        hidBus().HidP_MaxUsageListLength(kind, caps.UsagePage, device.preparsed);
    entry.button.usages = zeroedArray<USAGE>(entry.button.maxUsageCount);
    entry.reportId = caps.ReportID;
    return entry.button.usages != nullptr;
}

HidDataEntry* addValueEntries(const HIDP_VALUE_CAPS& caps, HidDataEntry* entry) {
    const ULONG usages = valueUsageCount(caps);
    const USAGE first = caps.IsRange ? caps.Range.UsageMin : caps.NotRange.Usage;
    for (ULONG u = 0; u < usages; ++u, ++entry) {
        entry->isButton = 0;
        entry->status = HIDP_STATUS_SUCCESS;
        entry->usagePage = caps.UsagePage;
        entry->reportId = caps.ReportID;
        entry->value.usage = USAGE(first + u);
    }
    return entry;
}

bool fillReportTables(HidDevice& device, const KindShape& shape, HidReportTables& tables) {
    tables.reportBuffer = zeroedArray<BYTE>(shape.reportLength);
    tables.buttonCaps = zeroedArray<HIDP_BUTTON_CAPS>(shape.buttonCapsCount);
    tables.valueCaps = zeroedArray<HIDP_VALUE_CAPS>(shape.valueCapsCount);
    if (!tables.reportBuffer || !tables.buttonCaps || !tables.valueCaps) return false;

    USHORT buttonLength = shape.buttonCapsCount;
    USHORT valueLength = shape.valueCapsCount;
    hidBus().HidP_GetSpecificButtonCaps(shape.kind, 0, 0, 0, tables.buttonCaps, &buttonLength,
                                        device.preparsed);
    hidBus().HidP_GetSpecificValueCaps(shape.kind, 0, 0, 0, tables.valueCaps, &valueLength,
                                       device.preparsed);

    ULONG valueUsages = 0;
    for (USHORT i = 0; i < shape.valueCapsCount; ++i)
        valueUsages += valueUsageCount(tables.valueCaps[i]);
    tables.dataEntryCount = shape.buttonCapsCount + valueUsages;
    tables.dataEntries = zeroedArray<HidDataEntry>(tables.dataEntryCount);
    if (!tables.dataEntries) return false;

    HidDataEntry* entry = tables.dataEntries;
    for (USHORT i = 0; i < shape.buttonCapsCount; ++i, ++entry) {
        if (!addButtonEntry(device, shape.kind, tables.buttonCaps[i], *entry)) return false;
    }
    for (USHORT i = 0; i < shape.valueCapsCount; ++i)
        entry = addValueEntries(tables.valueCaps[i], entry);
    return true;
}

} // namespace

bool fillDeviceInfo(HidDevice& device) {
    const HIDP_CAPS& caps = device.caps;
    const KindShape input{HidP_Input, caps.InputReportByteLength, caps.NumberInputButtonCaps,
                          caps.NumberInputValueCaps};
    const KindShape output{HidP_Output, caps.OutputReportByteLength, caps.NumberOutputButtonCaps,
                           caps.NumberOutputValueCaps};
    const KindShape feature{HidP_Feature, caps.FeatureReportByteLength,
                            caps.NumberFeatureButtonCaps, caps.NumberFeatureValueCaps};
    return fillReportTables(device, input, device.input) &&
           fillReportTables(device, output, device.output) &&
           fillReportTables(device, feature, device.feature);
}
