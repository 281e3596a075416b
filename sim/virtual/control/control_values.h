// The values the driver reads at every exchange, under its service key's Parameters.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The files for the next plug; earlier faults are cleared.
bool writeSession(const std::wstring& memoryFile, const std::wstring& wireLog);
// Adds one to a counter (CpiPresses, ProfilePresses, FactoryResets).
bool incrementCounter(const wchar_t* name);
bool writeNumber(const wchar_t* name, DWORD value);
bool writeBytes(const wchar_t* name, const std::vector<BYTE>& bytes);
// Removes every fault value.
bool clearFaults();
