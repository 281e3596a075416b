#include "companion/face/start_with_windows.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

// The program a Run command starts: the quoted path, or the whole command when unquoted.
std::wstring commandProgram(const std::wstring& command) {
    const size_t first = command.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    if (command[first] != L'"') {
        const size_t last = command.find_last_not_of(L" \t");
        return command.substr(first, last - first + 1);
    }
    const size_t closing = command.find(L'"', first + 1);
    if (closing == std::wstring::npos) return {};
    return command.substr(first + 1, closing - first - 1);
}

bool equalIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// A path as Windows spells it in full: without the \\?\ prefix, its 8.3 parts long.
std::wstring longForm(std::wstring path) {
    if (path.rfind(L"\\\\?\\", 0) == 0 && path.rfind(L"\\\\?\\UNC\\", 0) != 0) path.erase(0, 4);
    const DWORD size = ::GetLongPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetLongPathNameW(path.c_str(), full.data(), size);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

// The same file, however either path is spelt (letter case, 8.3 names, the \\?\ prefix).
bool samePath(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && (equalIgnoringCase(a, b) || equalIgnoringCase(longForm(a), longForm(b)));
}

// The Run value's command, an expandable one expanded as Windows does at logon; empty when
// there is none.
std::wstring runCommand() {
    std::wstring command(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = DWORD(command.size() * sizeof(wchar_t));
        const LONG result = ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ,
                                           nullptr, command.data(), &size);
        if (result == ERROR_MORE_DATA) {
            command.assign(size / sizeof(wchar_t) + 1, L'\0');
            continue;
        }
        if (result != ERROR_SUCCESS) return {};
        command.resize(wcsnlen(command.c_str(), command.size()));
        return command;
    }
    return {};
}

// Only a binary value whose first byte is one of the two disabled states counts as disabled.
bool disabledInTaskManager() {
    DWORD type = 0, size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kStartupApprovedValue, RRF_RT_ANY,
                       &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size == 0)
        return false;
    std::vector<BYTE> data(size);
    if (::RegGetValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kStartupApprovedValue,
                       RRF_RT_REG_BINARY, nullptr, data.data(), &size) != ERROR_SUCCESS ||
        size == 0)
        return false;
    return data[0] == 0x03 || data[0] == 0x07;
}

LONG enableInTaskManager() {
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKey, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (result == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS; // no entry: nothing disables it
    if (result != ERROR_SUCCESS) return result;
    result = ::RegQueryValueExW(key, kStartupApprovedValue, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) {
        const BYTE enabled[12] = {0x02}; // enabled, no time of a change
        result =
            ::RegSetValueExW(key, kStartupApprovedValue, 0, REG_BINARY, enabled, sizeof(enabled));
    } else if (result == ERROR_FILE_NOT_FOUND) {
        result = ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return result;
}

LONG deleteValue(const wchar_t* keyPath, const wchar_t* name) {
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key);
    if (result == ERROR_SUCCESS) {
        result = ::RegDeleteValueW(key, name);
        ::RegCloseKey(key);
    }
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

LONG writeRunValue(const std::wstring& program) {
    HKEY key = nullptr;
    LONG result = ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return result;
    // Quoted, so that a folder with spaces in its name starts the right program.
    const std::wstring command = L"\"" + program + L"\"";
    result =
        ::RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         DWORD((command.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return result;
}

} // namespace

bool startsWithWindows(const std::wstring& program) {
    return samePath(commandProgram(runCommand()), program) && !disabledInTaskManager();
}

bool setStartWithWindows(bool on, const std::wstring& program) {
    if (!on) {
        const LONG run = deleteValue(kRunKey, kRunValue);
        const LONG approved = deleteValue(kStartupApprovedKey, kStartupApprovedValue);
        return run == ERROR_SUCCESS && approved == ERROR_SUCCESS;
    }
    if (program.empty()) return false;
    return writeRunValue(program) == ERROR_SUCCESS && enableInTaskManager() == ERROR_SUCCESS;
}
