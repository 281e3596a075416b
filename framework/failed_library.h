// The "Failed" box of a library the program cannot load: the skin library, or a DLL of
// Windows' own folder.
#pragma once

#include <windows.h>

#include <string>

// The system's text for an error code, at most 260 characters.
std::wstring systemErrorText(DWORD error);

// "Failed opening DLL : <library>\r\nError: <the system's text for error>\r\n", cut to the
// message's 259 characters.
std::wstring failedLibraryText(const wchar_t* library, DWORD error);

// Sends that text to the debugger output and shows it in a box with caption "Failed" (MB_OK),
// owned by owner (may be null); returns when the user has answered.
void showFailedLibrary(HWND owner, const wchar_t* library, DWORD error);
