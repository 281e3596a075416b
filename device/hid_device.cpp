#include "device/hid_device.h"

#include <cstdlib>
#include <cstring>

namespace {

void releaseTables(HidReportTables& tables) {
    if (tables.dataEntries) {
        // Button entries own their usage lists.
        for (ULONG i = 0; i < tables.dataEntryCount; ++i) {
            if (tables.dataEntries[i].isButton) std::free(tables.dataEntries[i].button.usages);
        }
    }
    std::free(tables.reportBuffer);
    std::free(tables.dataEntries);
    std::free(tables.buttonCaps);
    std::free(tables.valueCaps);
    tables = HidReportTables{};
}

void releasePath(HidDevice& device) {
    if (hasValidPath(device)) std::free(device.path);
    device.path = nullptr;
}

void closeHandle(HidDevice& device) {
    if (hasOpenHandle(device)) hidBus().CloseHandle(device.handle);
    device.handle = INVALID_HANDLE_VALUE;
}

void freePreparsed(HidDevice& device) {
    if (device.preparsed) hidBus().HidD_FreePreparsedData(device.preparsed);
    device.preparsed = nullptr;
}

char* copyOfPath(const char* path) {
    const size_t length = std::strlen(path);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy) std::memcpy(copy, path, length + 1);
    return copy;
}

HANDLE createDeviceFile(const char* path, bool read, bool write, bool exclusive, DWORD flags) {
    const DWORD access = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
    const DWORD sharing = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    return hidBus().CreateFileA(path, access, sharing, nullptr, OPEN_EXISTING, flags, nullptr);
}

bool readIdentity(HidDevice& device) {
    device.attributes = HIDD_ATTRIBUTES{};
    device.attributes.Size = sizeof(HIDD_ATTRIBUTES);
    return hidBus().HidD_GetAttributes(device.handle, &device.attributes) &&
           hidBus().HidP_GetCaps(device.preparsed, &device.caps) == HIDP_STATUS_SUCCESS;
}

} // namespace

char* failedOpenPath() {
    return reinterpret_cast<char*>(INVALID_HANDLE_VALUE);
}

bool hasValidPath(const HidDevice& device) {
    return device.path != nullptr && device.path != failedOpenPath();
}

bool hasOpenHandle(const HidDevice& device) {
    return device.handle != nullptr && device.handle != INVALID_HANDLE_VALUE;
}

bool openHidDevice(const char* path, bool read, bool write, bool overlapped, bool exclusive,
                   HidDevice& device) {
    if (!path || path == failedOpenPath()) return false;
    // Copied before the release below: `path` may be the record's own.
    char* copy = copyOfPath(path);
    if (!copy) return false;
    closeHidDevice(device);
    device.path = copy;

    device.handle = createDeviceFile(device.path, read, write, exclusive, 0);
    if (device.handle == INVALID_HANDLE_VALUE) {
        std::free(device.path);
        device.path = failedOpenPath();
        return false;
    }
    device.readAccess = read;
    device.writeAccess = write;
    device.overlapped = overlapped;
    device.exclusive = exclusive;

    if (!hidBus().HidD_GetPreparsedData(device.handle, &device.preparsed)) {
        device.preparsed = nullptr;
        releasePath(device);
        closeHandle(device);
        return false;
    }
    if (!readIdentity(device)) {
        releasePath(device);
        closeHandle(device);
        freePreparsed(device);
        return false;
    }
    if (!fillDeviceInfo(device)) {
        closeHidDevice(device);
        return false;
    }
    if (overlapped) {
        closeHandle(device);
        device.handle = createDeviceFile(device.path, read, write, exclusive, FILE_FLAG_OVERLAPPED);
        if (device.handle == INVALID_HANDLE_VALUE) {
            closeHidDevice(device);
            return false;
        }
    }
    return true;
}

void closeHidDevice(HidDevice& device) {
    releasePath(device);
    closeHandle(device);
    freePreparsed(device);
    releaseTables(device.input);
    releaseTables(device.output);
    releaseTables(device.feature);
}

void markDeviceLost(HidDevice& device) {
    if (hasOpenHandle(device)) hidBus().CloseHandle(device.handle);
    device.handle = nullptr;
    device.readAccess = FALSE;
    device.writeAccess = FALSE;
    device.unlocked = FALSE;
}
