#include "device/device_start_up.h"

#include "device/config_block.h"
#include "device/device_requests.h"
#include "device/mouse_lock.h"

bool startUpDevice(HidDevice& device, MouseSettings& settings, std::wstring& firmwareVersion) {
    // A record of no interface (or one whose re-open failed) has nothing to talk to.
    if (!hasOpenHandle(device)) return false;
    const MouseLock mouse;
    if (!mouse.held()) return false;
    openHidDevice(device.path, true, true, false, false, device);
    if (!hasOpenHandle(device)) return false;
    if (!runDeviceInitialisation(device, firmwareVersion)) return false;
    readConfigBlock(device, settings);
    return true;
}
