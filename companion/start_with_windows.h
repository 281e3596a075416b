// "Start with Windows": the value Pelko under HKCU\Software\Microsoft\Windows\CurrentVersion\Run
// holding the companion's quoted full path, which Windows runs at each logon.
#pragma once

#include <string>

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Pelko";

// Whether the value exists, whatever it holds.
bool startsWithWindows();
// Writes the value with `program` quoted (on) or removes it (off); a value already gone counts
// as removed. False when the registry refuses, or when there is no program path to write.
bool setStartWithWindows(bool on, const std::wstring& program);
