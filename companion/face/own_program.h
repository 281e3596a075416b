// The configuration program beside the companion.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kSettingsProgramName[] = L"pelkocfg.exe";

// Starts the configuration program from the companion's own folder (never from the current
// directory or PATH), with that folder as its working directory. The started process's id, or
// 0 with the reason in GetLastError.
DWORD startSettingsProgram();
