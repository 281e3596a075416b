// The companion's own file and folder, and the configuration program beside it.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kSettingsProgramName[] = L"pelkocfg.exe";

// The running program's full path; empty when the system does not give it.
std::wstring ownProgramPath();
// The running program's folder with its trailing separator; empty when unknown.
std::wstring ownProgramFolder();

// Starts the configuration program from the companion's own folder (never from the current
// directory or PATH), with that folder as its working directory. The started process's id, or
// 0 with the reason in GetLastError.
DWORD startSettingsProgram();
