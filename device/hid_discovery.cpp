// Enumeration of the present HID interfaces: one record per interface index, opened with no
// access when its path names the wanted vendor and product.
#include "device/hid_device.h"
#include "device/protocol_wait.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

constexpr int initialListSize = 8;
// A bound on the indexes examined, so that a bus answering every index with an error other
// than "no more items" cannot keep the enumeration going for ever.
constexpr int maximumInterfaceIndexes = 1024;
constexpr size_t narrowPathSize = 1024;

struct PathFilter {
    bool active = false;
    wchar_t vendor[5] = {};
    wchar_t product[5] = {};

    bool passes(const wchar_t* path) const {
        return !active || (std::wcsstr(path, vendor) && std::wcsstr(path, product));
    }
};

PathFilter makeFilter(USHORT vendorId, USHORT productId) {
    PathFilter filter;
    filter.active = vendorId != 0 && productId != 0;
    if (filter.active) {
        std::swprintf(filter.vendor, 5, L"%04X", unsigned(vendorId));
        std::swprintf(filter.product, 5, L"%04X", unsigned(productId));
    }
    return filter;
}

bool ensureRoom(HidDevice** list, int& capacity, int index) {
    if (index < capacity) return true;
    void* grown = std::realloc(*list, sizeof(HidDevice) * size_t(capacity) * 2);
    if (!grown) return false;
    *list = static_cast<HidDevice*>(grown);
    capacity *= 2;
    return true;
}

// The interface's detail record in a zeroed block one character longer than the bus asks for,
// so the path is terminated whatever the bus wrote. Null when it cannot be fetched.
SP_DEVICE_INTERFACE_DETAIL_DATA_W* fetchDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD required = 0;
    hidBus().SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
    const DWORD size = std::max<DWORD>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
    auto* detail =
        static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(std::calloc(1, size + sizeof(wchar_t)));
    if (!detail) return nullptr;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!hidBus().SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr)) {
        std::free(detail);
        return nullptr;
    }
    return detail;
}

enum class IndexResult { Done, Examined, Failed };

IndexResult examineIndex(HDEVINFO set, const GUID& guid, const PathFilter& filter, int index,
                         HidDevice& record) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);
    if (!hidBus().SetupDiEnumDeviceInterfaces(set, nullptr, &guid, DWORD(index), &data)) {
        return ::GetLastError() == ERROR_NO_MORE_ITEMS ? IndexResult::Done : IndexResult::Examined;
    }
    SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail = fetchDetail(set, data);
    if (!detail) return IndexResult::Failed;
    if (!filter.passes(detail->DevicePath)) {
        std::free(detail);
        return IndexResult::Examined;
    }
    char narrow[narrowPathSize] = {};
    size_t converted = 0;
    wcstombs_s(&converted, narrow, narrowPathSize, detail->DevicePath, _TRUNCATE);
    std::free(detail);
    if (!openHidDevice(narrow, false, false, false, false, record)) return IndexResult::Failed;
    waitMilliseconds(1);
    return IndexResult::Examined;
}

} // namespace

bool findKnownHidDevices(HidDevice** list, int* count, USHORT vendorId, USHORT productId) {
    GUID guid{};
    hidBus().HidD_GetHidGuid(&guid);
    *list = nullptr;
    *count = 0;
    const PathFilter filter = makeFilter(vendorId, productId);

    HDEVINFO set = hidBus().SetupDiGetClassDevsW(&guid, nullptr, nullptr,
                                                 DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return false;
    int capacity = initialListSize;
    *list = static_cast<HidDevice*>(std::malloc(sizeof(HidDevice) * size_t(capacity)));
    bool complete = *list != nullptr;
    for (int index = 0; complete && index < maximumInterfaceIndexes; ++index) {
        if (!ensureRoom(list, capacity, index)) {
            complete = false;
            break;
        }
        std::memset(&(*list)[index], 0, sizeof(HidDevice));
        const IndexResult result = examineIndex(set, guid, filter, index, (*list)[index]);
        if (result == IndexResult::Done) break;
        *count = index + 1;
        if (result == IndexResult::Failed) complete = false;
    }
    hidBus().SetupDiDestroyDeviceInfoList(set);
    return complete;
}
