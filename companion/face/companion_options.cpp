#include "companion/face/companion_options.h"

#include <windows.h>

bool onScreenDisplayEnabled() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kCompanionSettingsKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return true;
    DWORD type = 0, value = 0, size = sizeof(value);
    const LONG result = ::RegQueryValueExW(key, kOnScreenDisplayValue, nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    const bool wellFormed = result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) &&
                            (value == 0 || value == 1);
    return !wellFormed || value == 1;
}

bool setOnScreenDisplayEnabled(bool on) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kCompanionSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD value = on ? 1 : 0;
    const LONG result = ::RegSetValueExW(key, kOnScreenDisplayValue, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
