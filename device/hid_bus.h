// The HID bus seam: every HID, SetupAPI and file call the device layer makes goes through one
// table of function pointers with the exact Win32 signatures, beside the names of the mutex that
// holds the table's mouse for one protocol sequence (device/mouse_lock.h) and of the witness of
// a configuration program on that mouse (device/configuration_program.h). The program runs on
// the real functions (hid.dll's taken from Windows' own folder at the first use, never
// imported); tests and the simulated mouse install a stand-in table.
#pragma once

#include "framework/system_library.h"

#include <windows.h>
#include <setupapi.h>
// The HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

// The system's mouse lock and the configuration program's witness (device/machine_objects.h):
// one name each for every program of every session.
inline constexpr wchar_t kMouseLockName[] = L"Global\\Glimmerhaus.Pelko.Mouse";
inline constexpr wchar_t kConfigurationProgramName[] =
    L"Global\\GlimmerhausPelkoConfigurationProgram";

struct HidBus {
    decltype(&::HidD_GetHidGuid) HidD_GetHidGuid;
    decltype(&::SetupDiGetClassDevsW) SetupDiGetClassDevsW;
    decltype(&::SetupDiEnumDeviceInterfaces) SetupDiEnumDeviceInterfaces;
    decltype(&::SetupDiGetDeviceInterfaceDetailW) SetupDiGetDeviceInterfaceDetailW;
    decltype(&::SetupDiDestroyDeviceInfoList) SetupDiDestroyDeviceInfoList;
    decltype(&::CreateFileA) CreateFileA;
    decltype(&::CloseHandle) CloseHandle;
    decltype(&::HidD_GetPreparsedData) HidD_GetPreparsedData;
    decltype(&::HidD_FreePreparsedData) HidD_FreePreparsedData;
    decltype(&::HidD_GetAttributes) HidD_GetAttributes;
    decltype(&::HidP_GetCaps) HidP_GetCaps;
    decltype(&::HidP_GetSpecificButtonCaps) HidP_GetSpecificButtonCaps;
    decltype(&::HidP_GetSpecificValueCaps) HidP_GetSpecificValueCaps;
    decltype(&::HidP_MaxUsageListLength) HidP_MaxUsageListLength;
    decltype(&::HidD_SetFeature) HidD_SetFeature;
    decltype(&::HidD_GetFeature) HidD_GetFeature;
    const wchar_t* mouseLockName;
    const wchar_t* configurationProgramName;
};

// hid.dll as the system's table loads it: the program's start reports a missing library or
// function, before any call goes through the table.
const SystemLibrary& systemHidLibrary();

// The table of the operating system's own functions; hid.dll's are null when
// systemHidLibrary() says it failed.
const HidBus& systemHidBus();

// The table in use; the system's until another is installed.
const HidBus& hidBus();

// Replaces the table in use (tests and the simulated mouse only).
void installHidBus(const HidBus& bus);
