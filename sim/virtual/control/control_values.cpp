#include "sim/virtual/control/control_values.h"

#include "sim/virtual/control/device_install.h"

namespace {

const wchar_t* const kFaultValues[] = {L"FailSendAt", L"FailReceiveAt",   L"UnplugAt",
                                       L"ReplyMask",  L"RefusedCommands", L"RefusedAddresses"};

HKEY openParameters() {
    const std::wstring path =
        std::wstring(L"System\\CurrentControlSet\\Services\\") + kServiceName + L"\\Parameters";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool writeValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = openParameters();
    if (!key) return false;
    const bool written =
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

// The driver opens files by their NT path.
std::wstring ntPath(const std::wstring& path) {
    if (path.empty()) return path;
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(L"\\??\\") + full;
}

bool writeText(const wchar_t* name, const std::wstring& text) {
    return writeValue(name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

} // namespace

bool writeSession(const std::wstring& memoryFile, const std::wstring& wireLog) {
    return clearFaults() && writeText(L"MemoryFile", ntPath(memoryFile)) &&
           writeText(L"WireLog", ntPath(wireLog));
}

bool incrementCounter(const wchar_t* name) {
    HKEY key = openParameters();
    if (!key) return false;
    DWORD count = 0, size = sizeof(count), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        count = 0;
    ++count;
    const bool written = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&count),
                                        sizeof(count)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

bool writeNumber(const wchar_t* name, DWORD value) {
    return writeValue(name, REG_DWORD, &value, sizeof(value));
}

bool writeBytes(const wchar_t* name, const std::vector<BYTE>& bytes) {
    return writeValue(name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

bool clearFaults() {
    HKEY key = openParameters();
    if (!key) return false;
    for (const wchar_t* name : kFaultValues)
        RegDeleteValueW(key, name);
    RegCloseKey(key);
    return true;
}
