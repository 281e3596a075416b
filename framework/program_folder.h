// Where the running program lies: the only folder besides Windows' own that the programs load
// or start files from (the skin library, the configuration program beside the companion).
#pragma once

#include <windows.h>

#include <string>

// The running program's full path; empty (and the reason in GetLastError) when the system
// does not give it or it does not fit the path limit, which every file beside it would exceed.
std::wstring programPath();

// The running program's folder with its trailing separator; empty (and the reason in
// GetLastError) when programPath() is empty or names no folder.
std::wstring programFolder();
