// The seam table of the simulated bus: functions with the exact Win32 signatures that hand
// every call to the installed SimHidBus.
#include "sim/sim_bus.h"

#include <algorithm>
#include <string>

namespace {

SimHidBus* activeBus = nullptr;
HDEVINFO const simDeviceSet = reinterpret_cast<HDEVINFO>(uintptr_t(0x6100));

// {4d1e55b2-f16f-11cf-88cb-001111000030}
const GUID hidClassGuid = {
    0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

void NTAPI simGetHidGuid(LPGUID guid) {
    *guid = hidClassGuid;
}

HDEVINFO WINAPI simGetClassDevs(const GUID* guid, PCWSTR, HWND, DWORD flags) {
    const DWORD wanted = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
    if (!guid || !IsEqualGUID(*guid, hidClassGuid) || (flags & wanted) != wanted) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return simDeviceSet;
}

WINBOOL WINAPI simEnumInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid, DWORD index,
                                 PSP_DEVICE_INTERFACE_DATA data) {
    if (set != simDeviceSet || !guid || !IsEqualGUID(*guid, hidClassGuid)) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return activeBus->enumerate(index, data);
}

WINBOOL WINAPI simInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size,
                                  PDWORD required, PSP_DEVINFO_DATA) {
    if (set != simDeviceSet) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return activeBus->detail(data, detail, size, required);
}

WINBOOL WINAPI simDestroyList(HDEVINFO set) {
    return set == simDeviceSet;
}

HANDLE WINAPI simCreateFile(LPCSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD,
                            DWORD flags, HANDLE) {
    return activeBus->createFile(path, access, flags);
}

WINBOOL WINAPI simCloseHandle(HANDLE handle) {
    return activeBus->closeHandle(handle);
}

BOOLEAN NTAPI simGetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) {
    return activeBus->getPreparsedData(handle, data);
}

BOOLEAN NTAPI simFreePreparsedData(PHIDP_PREPARSED_DATA data) {
    return activeBus->freePreparsedData(data);
}

BOOLEAN NTAPI simGetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) {
    return activeBus->getAttributes(handle, attributes);
}

const SimReportKindCaps* kindOf(const SimInterface& device, HIDP_REPORT_TYPE kind) {
    switch (kind) {
    case HidP_Input:
        return &device.input;
    case HidP_Output:
        return &device.output;
    case HidP_Feature:
        return &device.feature;
    }
    return nullptr;
}

NTSTATUS NTAPI simGetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
    const SimInterface* device = activeBus->interfaceOf(data);
    if (!device || !caps || device->failCaps) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    *caps = HIDP_CAPS{};
    caps->Usage = device->usage;
    caps->UsagePage = device->usagePage;
    caps->InputReportByteLength = device->input.reportLength;
    caps->OutputReportByteLength = device->output.reportLength;
    caps->FeatureReportByteLength = device->feature.reportLength;
    caps->NumberLinkCollectionNodes = 1;
    caps->NumberInputButtonCaps = USHORT(device->input.buttons.size());
    caps->NumberInputValueCaps = USHORT(device->input.values.size());
    caps->NumberOutputButtonCaps = USHORT(device->output.buttons.size());
    caps->NumberOutputValueCaps = USHORT(device->output.values.size());
    caps->NumberFeatureButtonCaps = USHORT(device->feature.buttons.size());
    caps->NumberFeatureValueCaps = USHORT(device->feature.values.size());
    return HIDP_STATUS_SUCCESS;
}

// Usage page and usage 0 select every capability, as Windows does.
template <typename Caps>
NTSTATUS copyCaps(const std::vector<Caps>& all, USAGE page, USAGE usage, Caps* out,
                  PUSHORT length) {
    if (!length) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    USHORT copied = 0;
    size_t matching = 0;
    for (const Caps& caps : all) {
        const USAGE first = caps.IsRange ? caps.Range.UsageMin : caps.NotRange.Usage;
        if ((page && caps.UsagePage != page) || (usage && first != usage)) continue;
        ++matching;
        if (out && copied < *length) out[copied++] = caps;
    }
    *length = copied;
    if (!matching) return HIDP_STATUS_USAGE_NOT_FOUND;
    return copied == matching ? HIDP_STATUS_SUCCESS : HIDP_STATUS_BUFFER_TOO_SMALL;
}

NTSTATUS NTAPI simButtonCaps(HIDP_REPORT_TYPE kind, USAGE page, USHORT, USAGE usage,
                             PHIDP_BUTTON_CAPS caps, PUSHORT length, PHIDP_PREPARSED_DATA data) {
    const SimInterface* device = activeBus->interfaceOf(data);
    const SimReportKindCaps* tables = device ? kindOf(*device, kind) : nullptr;
    if (!tables) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return copyCaps(tables->buttons, page, usage, caps, length);
}

NTSTATUS NTAPI simValueCaps(HIDP_REPORT_TYPE kind, USAGE page, USHORT, USAGE usage,
                            PHIDP_VALUE_CAPS caps, PUSHORT length, PHIDP_PREPARSED_DATA data) {
    const SimInterface* device = activeBus->interfaceOf(data);
    const SimReportKindCaps* tables = device ? kindOf(*device, kind) : nullptr;
    if (!tables) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return copyCaps(tables->values, page, usage, caps, length);
}

ULONG NTAPI simMaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE page, PHIDP_PREPARSED_DATA data) {
    const SimInterface* device = activeBus->interfaceOf(data);
    const SimReportKindCaps* tables = device ? kindOf(*device, kind) : nullptr;
    if (!tables) return 0;
    ULONG count = 0;
    for (const HIDP_BUTTON_CAPS& caps : tables->buttons) {
        if (page && caps.UsagePage != page) continue;
        count += caps.IsRange ? ULONG(caps.Range.UsageMax - caps.Range.UsageMin + 1) : 1;
    }
    return count;
}

BOOLEAN NTAPI simSetFeature(HANDLE handle, PVOID buffer, ULONG length) {
    return activeBus->setFeature(handle, buffer, length);
}

BOOLEAN NTAPI simGetFeature(HANDLE handle, PVOID buffer, ULONG length) {
    return activeBus->getFeature(handle, buffer, length);
}

const HidBus simBus = {
    simGetHidGuid, simGetClassDevs, simEnumInterfaces,   simInterfaceDetail,    simDestroyList,
    simCreateFile, simCloseHandle,  simGetPreparsedData, simFreePreparsedData,  simGetAttributes,
    simGetCaps,    simButtonCaps,   simValueCaps,        simMaxUsageListLength, simSetFeature,
    simGetFeature,
    nullptr, // both names at install
    nullptr,
};

// Each process's simulated mouse is a mouse of its own: it is held under a name of its own,
// which nothing outside the process waits for.
const wchar_t* simMouseLockName() {
    static const std::wstring name =
        L"Local\\Glimmerhaus.Pelko.Simulated." + std::to_wstring(::GetCurrentProcessId());
    return name.c_str();
}

// A configuration program on a simulated mouse keeps only that mouse's companion away.
const wchar_t* simConfigurationProgramName() {
    static const std::wstring name =
        L"Local\\Glimmerhaus.Pelko.Simulated.Program." + std::to_wstring(::GetCurrentProcessId());
    return name.c_str();
}

} // namespace

void SimHidBus::install() {
    if (!installed) previous = hidBus();
    installed = true;
    activeBus = this;
    HidBus table = simBus;
    table.mouseLockName = simMouseLockName();
    table.configurationProgramName = simConfigurationProgramName();
    installHidBus(table);
}

SimHidBus::~SimHidBus() {
    if (!installed) return;
    installHidBus(previous);
    if (activeBus == this) activeBus = nullptr;
}
