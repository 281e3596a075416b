// The interfaces of the simulated bus, with paths and capability tables as Windows reports
// them for a keyboard-like device of another product and for the mouse's two interfaces.
#include "sim/sim_bus.h"

#include <cstring>

#include "device/mouse_ids.h"

#include <cwchar>

namespace {

const wchar_t hidClassSuffix[] = L"#{4d1e55b2-f16f-11cf-88cb-001111000030}";

HIDP_BUTTON_CAPS buttonRange(USAGE page, USAGE first, USAGE last) {
    HIDP_BUTTON_CAPS caps{};
    caps.UsagePage = page;
    caps.IsRange = TRUE;
    caps.IsAbsolute = TRUE;
    caps.Range.UsageMin = first;
    caps.Range.UsageMax = last;
    return caps;
}

HIDP_VALUE_CAPS valueRange(USAGE page, USAGE first, USAGE last, USHORT bits) {
    HIDP_VALUE_CAPS caps{};
    caps.UsagePage = page;
    caps.IsRange = TRUE;
    caps.BitSize = bits;
    caps.ReportCount = USHORT(last - first + 1);
    caps.LogicalMax = (1 << bits) - 1;
    caps.Range.UsageMin = first;
    caps.Range.UsageMax = last;
    return caps;
}

HIDP_VALUE_CAPS value(USAGE page, USAGE usage, USHORT bits) {
    HIDP_VALUE_CAPS caps{};
    caps.UsagePage = page;
    caps.BitSize = bits;
    caps.ReportCount = 1;
    caps.LogicalMin = -(1 << (bits - 1));
    caps.LogicalMax = (1 << (bits - 1)) - 1;
    caps.NotRange.Usage = usage;
    return caps;
}

std::wstring hidPath(USHORT vendorId, USHORT productId, const wchar_t* interfaceAndInstance) {
    wchar_t text[160] = {};
    std::swprintf(text, 160, L"\\\\?\\hid#vid_%04x&pid_%04x%ls%ls", unsigned(vendorId),
                  unsigned(productId), interfaceAndInstance, hidClassSuffix);
    return text;
}

HIDD_ATTRIBUTES attributesOf(USHORT vendorId, USHORT productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(HIDD_ATTRIBUTES);
    attributes.VendorID = vendorId;
    attributes.ProductID = productId;
    attributes.VersionNumber = 0x0107;
    return attributes;
}

} // namespace

SimInterface simOtherDevice(USHORT vendorId, USHORT productId, int instance) {
    SimInterface device;
    wchar_t tail[64] = {};
    std::swprintf(tail, 64, L"&mi_00#8&1a3b%03x&0&0000", unsigned(instance & 0xFFF));
    device.path = hidPath(vendorId, productId, tail);
    device.attributes = attributesOf(vendorId, productId);
    device.usagePage = 0x01;
    device.usage = 0x06; // keyboard
    device.input.reportLength = 9;
    device.input.buttons = {buttonRange(0x07, 0xE0, 0xE7), buttonRange(0x07, 0x00, 0x65)};
    device.output.reportLength = 2;
    device.output.buttons = {buttonRange(0x08, 0x01, 0x05)};
    return device;
}

SimInterface simMousePointer() {
    SimInterface device;
    device.kind = SimInterfaceKind::MousePointer;
    device.path = hidPath(kPelkoVendorId, kPelkoProductId, L"&mi_00#7&1f3a8b2&0&0000");
    device.attributes = attributesOf(kPelkoVendorId, kPelkoProductId);
    device.usagePage = 0x01;
    device.usage = 0x02; // mouse
    device.input.reportLength = 5;
    device.input.buttons = {buttonRange(0x09, 0x01, 0x05)};
    device.input.values = {valueRange(0x01, 0x30, 0x31, 8), value(0x01, 0x38, 8)};
    return device;
}

SimInterface simMouseVendor() {
    SimInterface device;
    device.kind = SimInterfaceKind::MouseVendor;
    device.path = hidPath(kPelkoVendorId, kPelkoProductId, L"&mi_01#7&2c6e1f0&0&0000");
    device.attributes = attributesOf(kPelkoVendorId, kPelkoProductId);
    device.usagePage = 0xFF00;
    device.usage = 0x01;
    device.input.reportLength = 9;
    device.input.values = {valueRange(0xFF00, 0x01, 0x08, 8)};
    device.feature.reportLength = 9;
    device.feature.values = {valueRange(0xFF00, 0x01, 0x08, 8), value(0xFF00, 0x20, 8)};
    return device;
}

HidDevice* vendorRecord(HidDevice* list, int count) {
    for (int i = 0; list && i < count; ++i)
        if (hasValidPath(list[i]) && std::strstr(list[i].path, "mi_01")) return &list[i];
    return nullptr;
}
