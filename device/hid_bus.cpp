#include "device/hid_bus.h"

#include <optional>

namespace {

// hid.dll from Windows' own folder, and the table over its functions, SetupAPI's and
// kernel32's, with the names of the machine's mouse lock and witness.
struct SystemHid {
    SystemLibrary library{L"hid.dll"};
    HidBus bus = {};

    SystemHid() {
        library.take(bus.HidD_GetHidGuid, "HidD_GetHidGuid");
        bus.SetupDiGetClassDevsW = ::SetupDiGetClassDevsW;
        bus.SetupDiEnumDeviceInterfaces = ::SetupDiEnumDeviceInterfaces;
        bus.SetupDiGetDeviceInterfaceDetailW = ::SetupDiGetDeviceInterfaceDetailW;
        bus.SetupDiDestroyDeviceInfoList = ::SetupDiDestroyDeviceInfoList;
        bus.CreateFileA = ::CreateFileA;
        bus.CloseHandle = ::CloseHandle;
        library.take(bus.HidD_GetPreparsedData, "HidD_GetPreparsedData");
        library.take(bus.HidD_FreePreparsedData, "HidD_FreePreparsedData");
        library.take(bus.HidD_GetAttributes, "HidD_GetAttributes");
        library.take(bus.HidP_GetCaps, "HidP_GetCaps");
        library.take(bus.HidP_GetSpecificButtonCaps, "HidP_GetSpecificButtonCaps");
        library.take(bus.HidP_GetSpecificValueCaps, "HidP_GetSpecificValueCaps");
        library.take(bus.HidP_MaxUsageListLength, "HidP_MaxUsageListLength");
        library.take(bus.HidD_SetFeature, "HidD_SetFeature");
        library.take(bus.HidD_GetFeature, "HidD_GetFeature");
        bus.mouseLockName = kMouseLockName;
        bus.configurationProgramName = kConfigurationProgramName;
    }
};

// Loaded at the first use, never while the program's globals are made: by then the
// framework's wWinMain has restricted the search.
const SystemHid& systemHid() {
    static const SystemHid hid;
    return hid;
}

std::optional<HidBus> installedBus;

} // namespace

const SystemLibrary& systemHidLibrary() {
    return systemHid().library;
}

const HidBus& systemHidBus() {
    return systemHid().bus;
}

const HidBus& hidBus() {
    return installedBus ? *installedBus : systemHidBus();
}

void installHidBus(const HidBus& bus) {
    installedBus = bus;
}
