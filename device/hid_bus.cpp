#include "device/hid_bus.h"

namespace {

const HidBus systemBus = {
    ::HidD_GetHidGuid,
    ::SetupDiGetClassDevsW,
    ::SetupDiEnumDeviceInterfaces,
    ::SetupDiGetDeviceInterfaceDetailW,
    ::SetupDiDestroyDeviceInfoList,
    ::CreateFileA,
    ::CloseHandle,
    ::HidD_GetPreparsedData,
    ::HidD_FreePreparsedData,
    ::HidD_GetAttributes,
    ::HidP_GetCaps,
    ::HidP_GetSpecificButtonCaps,
    ::HidP_GetSpecificValueCaps,
    ::HidP_MaxUsageListLength,
    ::HidD_SetFeature,
    ::HidD_GetFeature,
    // One name for every program on the session's Pelko.
    L"Local\\Glimmerhaus.Pelko.Mouse",
};

HidBus busInUse = systemBus;

} // namespace

const HidBus& systemHidBus() {
    return systemBus;
}

const HidBus& hidBus() {
    return busInUse;
}

void installHidBus(const HidBus& bus) {
    busInUse = bus;
}
