#include "companion/start_with_windows.h"

#include <windows.h>

bool startsWithWindows() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const LONG result = ::RegQueryValueExW(key, kRunValue, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool setStartWithWindows(bool on, const std::wstring& program) {
    if (on && program.empty()) return false;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    LONG result;
    if (on) {
        // Quoted, so that a folder with spaces in its name starts the right program.
        const std::wstring command = L"\"" + program + L"\"";
        result = ::RegSetValueExW(key, kRunValue, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(command.c_str()),
                                  DWORD((command.size() + 1) * sizeof(wchar_t)));
    } else {
        result = ::RegDeleteValueW(key, kRunValue);
        if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
