#include "sim/virtual/control/device_install.h"

#include <windows.h>

#include <newdev.h>
#include <setupapi.h>

// The HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Both interfaces carry the one hardware id pelkovirt.inf lists (a double-NUL-terminated list).
const wchar_t kHardwareId[] = L"PELKO_VIRTUAL\\VID_2719&PID_0604\0";
const wchar_t* const kInstanceIds[] = {L"ROOT\\VID_2719&PID_0604&MI_00\\0000",
                                       L"ROOT\\VID_2719&PID_0604&MI_01\\0000"};

// Wine's device host enumerates a running driver's root devices again on this control: new
// ones are started, removed ones are removed from the driver.
constexpr DWORD kReenumerateRootDevices = 128;
constexpr DWORD kPresenceTimeoutMs = 15000;

// Runs `action` on the device when it is registered; false when it is not or the action fails.
template <typename Action> bool withDevice(const wchar_t* instanceId, Action action) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    if (set == INVALID_HANDLE_VALUE) return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    const bool done =
        SetupDiOpenDeviceInfoW(set, instanceId, nullptr, 0, &device) && action(set, &device);
    SetupDiDestroyDeviceInfoList(set);
    return done;
}

// A root-enumerated device with the mouse's hardware id, registered with the PnP manager.
bool createDevice(const wchar_t* instanceId) {
    GUID classGuid;
    DWORD count = 0;
    if (!SetupDiClassGuidsFromNameW(L"System", &classGuid, 1, &count) || count == 0) return false;
    HDEVINFO set = SetupDiCreateDeviceInfoList(&classGuid, nullptr);
    if (set == INVALID_HANDLE_VALUE) return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    const bool created =
        SetupDiCreateDeviceInfoW(set, instanceId, &classGuid, nullptr, nullptr, 0, &device) &&
        SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID,
                                          reinterpret_cast<const BYTE*>(kHardwareId),
                                          sizeof(kHardwareId)) &&
        SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device);
    SetupDiDestroyDeviceInfoList(set);
    return created;
}

bool removeDevice(const wchar_t* instanceId) {
    return withDevice(instanceId, [](HDEVINFO set, SP_DEVINFO_DATA* device) {
        return SetupDiCallClassInstaller(DIF_REMOVE, set, device) != FALSE;
    });
}

bool deviceRegistered(const wchar_t* instanceId) {
    return withDevice(instanceId, [](HDEVINFO, SP_DEVINFO_DATA*) { return true; });
}

SC_HANDLE openService(DWORD access) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) return nullptr;
    SC_HANDLE service = OpenServiceW(manager, kServiceName, access);
    CloseServiceHandle(manager);
    return service;
}

// Asks the running driver to take the devices as they are registered now; false when the
// driver is not running.
bool reenumerate() {
    SC_HANDLE service = openService(SERVICE_USER_DEFINED_CONTROL);
    if (!service) return false;
    SERVICE_STATUS status = {};
    const bool sent = ControlService(service, kReenumerateRootDevices, &status);
    CloseServiceHandle(service);
    return sent;
}

// A driver without devices may be stopped, so that a new build of it can be copied in.
void stopService() {
    SC_HANDLE service = openService(SERVICE_STOP | SERVICE_QUERY_STATUS);
    if (!service) return;
    SERVICE_STATUS status = {};
    if (ControlService(service, SERVICE_CONTROL_STOP, &status)) {
        const ULONGLONG end = GetTickCount64() + kPresenceTimeoutMs;
        while (QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED &&
               GetTickCount64() < end)
            Sleep(50);
    }
    CloseServiceHandle(service);
}

std::wstring installedDriverPath() {
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(system) + L"\\drivers\\pelkovirt.sys";
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameFile(const std::wstring& a, const std::wstring& b) {
    const std::string bytes = fileBytes(a);
    return !bytes.empty() && bytes == fileBytes(b);
}

bool waitFor(bool (*done)(), DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(50);
    }
    return true;
}

bool vendorInterfaceGone() {
    return !vendorInterfacePresent();
}

} // namespace

bool vendorInterfacePresent() {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD i = 0; !found && SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, i, &data);
         ++i) {
        union {
            SP_DEVICE_INTERFACE_DETAIL_DATA_W detail;
            wchar_t room[1024];
        } buffer = {};
        buffer.detail.cbSize = sizeof(buffer.detail);
        if (SetupDiGetDeviceInterfaceDetailW(set, &data, &buffer.detail, sizeof(buffer), nullptr,
                                             nullptr))
            found = std::wcsstr(buffer.detail.DevicePath, L"VID_2719&PID_0604&MI_01") ||
                    std::wcsstr(buffer.detail.DevicePath, L"vid_2719&pid_0604&mi_01");
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

bool plugVirtualMouse(const std::wstring& infPath, const std::wstring& driverPath) {
    // A fresh firmware each time: the devices of an earlier plug go first, and the driver
    // without devices is stopped, so that the install copies the build beside this program.
    if (!unplugVirtualMouse()) return false;
    stopService();
    for (const wchar_t* instanceId : kInstanceIds)
        if (!createDevice(instanceId)) return false;
    BOOL reboot = FALSE;
    if (!UpdateDriverForPlugAndPlayDevicesW(nullptr, kHardwareId, infPath.c_str(),
                                            INSTALLFLAG_FORCE, &reboot))
        return false;
    if (!sameFile(installedDriverPath(), driverPath)) {
        // Wine cannot replace the image of a driver it has loaded once in this session.
        std::fputs("pelko-device: an older build of pelkovirt.sys is loaded; stop the "
                   "wineserver (wineserver -k) and plug again\n",
                   stderr);
        return false;
    }
    return waitFor(vendorInterfacePresent, kPresenceTimeoutMs);
}

bool unplugVirtualMouse() {
    bool removed = false;
    for (const wchar_t* instanceId : kInstanceIds)
        if (deviceRegistered(instanceId)) removed = removeDevice(instanceId) || removed;
    if (removed) reenumerate();
    return waitFor(vendorInterfaceGone, kPresenceTimeoutMs);
}
