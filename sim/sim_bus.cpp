#include "sim/sim_bus.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// A lower-case ASCII copy: device paths compare without regard to case.
template <typename Char> std::string asciiLower(const Char* text) {
    std::string result;
    for (; *text; ++text)
        result += char(std::tolower(int(*text) & 0x7F));
    return result;
}

} // namespace

SimHidBus::SimHidBus(int othersBefore) {
    for (int i = 0; i < othersBefore; ++i) {
        interfaces.push_back(simOtherDevice(USHORT(0x046D + i), USHORT(0xC31C - i), i));
    }
    interfaces.push_back(simMousePointer());
    interfaces.push_back(simMouseVendor());
}

bool SimHidBus::present(const SimInterface& device) const {
    return !unplugged || device.kind == SimInterfaceKind::OtherDevice;
}

// The present interfaces are listed in order; an unplugged mouse is simply absent.
BOOL SimHidBus::enumerate(DWORD index, SP_DEVICE_INTERFACE_DATA* data) {
    if (!data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    DWORD seen = 0;
    for (size_t i = 0; i < interfaces.size(); ++i) {
        if (!present(interfaces[i]) || seen++ != index) continue;
        if (interfaces[i].enumerationError) {
            ::SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        data->Flags = SPINT_ACTIVE;
        data->Reserved = ULONG_PTR(i);
        return TRUE;
    }
    ::SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
}

BOOL SimHidBus::detail(SP_DEVICE_INTERFACE_DATA* data, SP_DEVICE_INTERFACE_DETAIL_DATA_W* out,
                       DWORD size, DWORD* required) {
    if (!data || data->Reserved >= interfaces.size()) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SimInterface& device = interfaces[data->Reserved];
    const DWORD needed = DWORD(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                               (device.path.size() + 1) * sizeof(wchar_t));
    if (required) *required = needed;
    if (!out) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (out->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (size < needed) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (device.detailError) {
        ::SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    std::memcpy(out->DevicePath, device.path.c_str(), (device.path.size() + 1) * sizeof(wchar_t));
    return TRUE;
}

HANDLE SimHidBus::createFile(const char* path, DWORD access, DWORD flags) {
    const std::string wanted = path ? asciiLower(path) : std::string();
    for (size_t i = 0; i < interfaces.size(); ++i) {
        const SimInterface& device = interfaces[i];
        if (asciiLower(device.path.c_str()) != wanted || !present(device)) continue;
        const bool pointerWithAccess = device.kind == SimInterfaceKind::MousePointer && access;
        if (device.refuseCreate || pointerWithAccess) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE handle = reinterpret_cast<HANDLE>(nextToken += 4);
        handles[handle] = OpenHandle{int(i), access, flags};
        createdPaths.push_back(path);
        return handle;
    }
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL SimHidBus::closeHandle(HANDLE handle) {
    if (!handles.erase(handle)) {
        ++badCloseCount;
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

const SimInterface* SimHidBus::usable(HANDLE handle) const {
    const auto open = handles.find(handle);
    if (open == handles.end()) return nullptr;
    const SimInterface& device = interfaces[size_t(open->second.interfaceIndex)];
    return present(device) ? &device : nullptr;
}

BOOLEAN SimHidBus::getPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) {
    const auto open = handles.find(handle);
    const SimInterface* device = usable(handle);
    if (!device || !data || device->failPreparsedData) return FALSE;
    *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(nextToken += 4);
    preparsed[*data] = open->second.interfaceIndex;
    return TRUE;
}

BOOLEAN SimHidBus::freePreparsedData(PHIDP_PREPARSED_DATA data) {
    return preparsed.erase(data) ? TRUE : FALSE;
}

BOOLEAN SimHidBus::getAttributes(HANDLE handle, HIDD_ATTRIBUTES* attributes) {
    const SimInterface* device = usable(handle);
    if (!device || !attributes || device->failAttributes) return FALSE;
    *attributes = device->attributes;
    return TRUE;
}

const SimInterface* SimHidBus::interfaceOf(PHIDP_PREPARSED_DATA data) const {
    const auto found = preparsed.find(data);
    return found == preparsed.end() ? nullptr : &interfaces[size_t(found->second)];
}

// Feature reports reach the firmware only on the vendor interface, opened for reading and
// writing; the pointer interface and other products refuse them.
BOOLEAN SimHidBus::setFeature(HANDLE handle, void* buffer, ULONG length) {
    WireExchange entry;
    entry.at = std::chrono::steady_clock::now();
    if (buffer && length >= entry.request.size()) {
        std::memcpy(entry.request.data(), buffer, entry.request.size());
    }
    entry.command = entry.request[2];
    for (size_t i = 0; i < entry.payload.size(); ++i) {
        entry.payload[i] = entry.request[3 + i] ^ entry.request[1];
    }
    const int index = int(wireLog.size());
    if (index == faults.unplugAt) unplugged = true;
    pendingReply.reset();

    const SimInterface* device = usable(handle);
    const auto open = handles.find(handle);
    const bool reachable =
        device && device->kind == SimInterfaceKind::MouseVendor &&
        (open->second.access & (GENERIC_READ | GENERIC_WRITE)) == (GENERIC_READ | GENERIC_WRITE) &&
        length == entry.request.size();
    const bool injected = index == faults.failSendAt || faults.failSendForCommand == entry.command;
    if (!reachable || injected) {
        entry.result = ExchangeOutcome::SendFailed;
        wireLog.push_back(entry);
        ::SetLastError(device ? ERROR_GEN_FAILURE : ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    }
    pendingReply = firmware.answer(entry.request);
    entry.result = (*pendingReply)[2] ? ExchangeOutcome::Accepted : ExchangeOutcome::Refused;
    wireLog.push_back(entry);
    if (afterRequest) afterRequest(index);
    return TRUE;
}

BOOLEAN SimHidBus::getFeature(HANDLE handle, void* buffer, ULONG length) {
    const int index = int(wireLog.size()) - 1;
    const bool injected =
        index >= 0 && (index == faults.failReceiveAt ||
                       faults.failReceiveForCommand == wireLog[size_t(index)].command);
    if (!usable(handle) || !pendingReply || !buffer || length != pendingReply->size() || injected) {
        if (index >= 0 && pendingReply)
            wireLog[size_t(index)].result = ExchangeOutcome::ReceiveFailed;
        pendingReply.reset();
        ::SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    SimReport reply = *pendingReply;
    if (faults.rewriteReply) {
        faults.rewriteReply(index, reply);
        wireLog[size_t(index)].result =
            reply[2] ? ExchangeOutcome::Accepted : ExchangeOutcome::Refused;
    }
    std::memcpy(buffer, reply.data(), reply.size());
    wireLog[size_t(index)].reply = reply;
    pendingReply.reset();
    return TRUE;
}
