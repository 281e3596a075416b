// The simulated HID bus: the device layer's seam table over a list of interfaces (other
// products, the mouse's pointer interface MI_00 and its vendor interface MI_01 with the
// firmware), with fault injection and a log of every feature-report exchange.
#pragma once

#include "device/feature_report.h"
#include "device/hid_bus.h"
#include "device/hid_device.h"
#include "sim/sim_firmware.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class SimInterfaceKind { OtherDevice, MousePointer, MouseVendor };

struct SimReportKindCaps {
    USHORT reportLength = 0;
    std::vector<HIDP_BUTTON_CAPS> buttons;
    std::vector<HIDP_VALUE_CAPS> values;
};

struct SimInterface {
    std::wstring path;
    SimInterfaceKind kind = SimInterfaceKind::OtherDevice;
    HIDD_ATTRIBUTES attributes{};
    USAGE usagePage = 0;
    USAGE usage = 0;
    SimReportKindCaps input, output, feature;
    bool refuseCreate = false;      // CreateFileA fails
    bool failPreparsedData = false; // HidD_GetPreparsedData fails
    bool failAttributes = false;    // HidD_GetAttributes fails
    bool failCaps = false;          // HidP_GetCaps fails
    bool enumerationError = false;  // SetupDiEnumDeviceInterfaces fails (not "no more items")
    bool detailError = false;       // SetupDiGetDeviceInterfaceDetailW fails
};

// Interfaces as a real machine would list them.
SimInterface simOtherDevice(USHORT vendorId, USHORT productId, int instance);
SimInterface simMousePointer();
SimInterface simMouseVendor();

// The record of the mouse's vendor interface (MI_01) in a list of findKnownHidDevices, or null.
HidDevice* vendorRecord(HidDevice* list, int count);

struct WireExchange {
    SimReport request{};
    SimReport reply{};
    uint8_t command = 0;
    std::array<uint8_t, 6> payload{}; // the request payload unmasked
    ExchangeOutcome result = ExchangeOutcome::SendFailed;
    std::chrono::steady_clock::time_point at;
};

// Exchange indexes count from 0 over every HidD_SetFeature call.
struct SimFaults {
    int failSendAt = -1;
    int failReceiveAt = -1;
    int unplugAt = -1; // the mouse is gone from this exchange on
    std::optional<uint8_t> failSendForCommand;
    std::optional<uint8_t> failReceiveForCommand;
    // Rewrites the reply of exchange `index` as HidD_GetFeature hands it over; the firmware has
    // handled the real request and keeps its own state.
    std::function<void(int index, SimReport& reply)> rewriteReply;
};

class SimHidBus {
  public:
    // A bus with the mouse (MI_00, MI_01) behind `othersBefore` other devices.
    explicit SimHidBus(int othersBefore = 2);
    ~SimHidBus();
    SimHidBus(const SimHidBus&) = delete;
    SimHidBus& operator=(const SimHidBus&) = delete;

    // Makes this bus the device layer's; the destructor puts the previous table back.
    void install();

    void unplug() { unplugged = true; }
    void replug() { unplugged = false; }
    bool isUnplugged() const { return unplugged; }
    void pressCycleCpiStage() { firmware.cycleCpiStage(); }
    void pressNextProfile() { firmware.nextProfile(); }

    int exchangeCount() const { return int(wireLog.size()); }
    int openHandleCount() const { return int(handles.size()); }
    int outstandingPreparsedCount() const { return int(preparsed.size()); }

    std::vector<SimInterface> interfaces;
    SimFirmware firmware;
    SimFaults faults;
    std::vector<WireExchange> wireLog;
    std::vector<std::string> createdPaths; // every CreateFileA that succeeded
    int badCloseCount = 0;                 // CloseHandle on a handle that is not open
    // Runs on the calling thread once the firmware has answered the request of exchange
    // `index`, before the HidD_GetFeature that collects the reply: where another program's
    // request lands when nothing holds the mouse (sim/second_host.h).
    std::function<void(int index)> afterRequest;

    // The seam's implementation (called through the installed table).
    struct OpenHandle {
        int interfaceIndex;
        DWORD access;
        DWORD flags;
    };
    BOOL enumerate(DWORD index, SP_DEVICE_INTERFACE_DATA* data);
    BOOL detail(SP_DEVICE_INTERFACE_DATA* data, SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail,
                DWORD size, DWORD* required);
    HANDLE createFile(const char* path, DWORD access, DWORD flags);
    BOOL closeHandle(HANDLE handle);
    BOOLEAN getPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data);
    BOOLEAN freePreparsedData(PHIDP_PREPARSED_DATA data);
    BOOLEAN getAttributes(HANDLE handle, HIDD_ATTRIBUTES* attributes);
    const SimInterface* interfaceOf(PHIDP_PREPARSED_DATA data) const;
    BOOLEAN setFeature(HANDLE handle, void* buffer, ULONG length);
    BOOLEAN getFeature(HANDLE handle, void* buffer, ULONG length);

  private:
    const SimInterface* usable(HANDLE handle) const;
    bool present(const SimInterface& device) const;

    HidBus previous;
    bool installed = false;
    bool unplugged = false;
    std::map<HANDLE, OpenHandle> handles;
    std::map<PHIDP_PREPARSED_DATA, int> preparsed;
    uintptr_t nextToken = 0x5100;
    std::optional<SimReport> pendingReply;
};
