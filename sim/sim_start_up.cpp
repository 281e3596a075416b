#include "sim/sim_start_up.h"

#include "device/config_block.h"
#include "device/device_requests.h"
#include "device/mouse_ids.h"

#include <cstring>

HidDevice* startUpMouse(HidDevice** list, int* count, MouseSettings& settings,
                        std::wstring& firmwareVersion) {
    findKnownHidDevices(list, count, kPelkoVendorId, kPelkoProductId);
    for (int i = 0; i < *count; ++i) {
        HidDevice& record = (*list)[i];
        if (!hasValidPath(record) || !std::strstr(record.path, "mi_01")) continue;
        record.unlocked = FALSE;
        if (hasOpenHandle(record)) openHidDevice(record.path, true, true, false, false, record);
        if (!runDeviceInitialisation(record, firmwareVersion)) return nullptr;
        readConfigBlock(record, settings);
        return &record;
    }
    return nullptr;
}
