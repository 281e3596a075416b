// "Start with Windows": the value Pelko under HKCU\Software\Microsoft\Windows\CurrentVersion\Run
// holding the companion's quoted full path, which Windows runs at each logon unless the user
// disabled it in Task Manager's Startup tab (an entry of the same name under StartupApproved).
// The installer writes and removes the same values.
#pragma once

#include <string>

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Pelko";
// Task Manager's state of the Run value: REG_BINARY, a first byte of 02 or 06 when enabled, 03
// or 07 when disabled, then the FILETIME of the change (zero while enabled).
inline constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr const wchar_t* kStartupApprovedValue = kRunValue;

// Whether Windows starts `program` at logon: the Run value names it (quoted or not, in any
// letter case; another folder's copy is not it) and no StartupApproved entry clearly says
// disabled (a malformed one does not).
bool startsWithWindows(const std::wstring& program);
// On: the Run value names `program`, quoted, and a StartupApproved entry, where there is one,
// says enabled. Off: the Run value and the StartupApproved entry are removed (values already
// gone count as removed). False when the registry refuses, or when there is no program path.
bool setStartWithWindows(bool on, const std::wstring& program);
