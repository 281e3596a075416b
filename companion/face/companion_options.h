// The companion's own settings, under HKCU\Software\Glimmerhaus\Pelko\Companion. A value that
// is missing or malformed means its default.
#pragma once

inline constexpr wchar_t kCompanionSettingsKey[] = L"Software\\Glimmerhaus\\Pelko\\Companion";
// REG_DWORD 1: the on-screen display shows the mouse's changes; 0: it does not. Default on.
inline constexpr wchar_t kOnScreenDisplayValue[] = L"OnScreenDisplay";

// The stored switch: a REG_DWORD of 0 or 1; on for anything else (no key, no value, another
// type or size, another number).
bool onScreenDisplayEnabled();
// Stores the switch; false when the registry refuses it.
bool setOnScreenDisplayEnabled(bool on);
