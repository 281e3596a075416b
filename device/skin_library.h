// Finding the skin library: its file name from a device interface path, and the data-only load.
// The configuration window and the companion both find it this way.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kDefaultSkinLibraryName[] = L"VID_2719&PID_0604&MI_01.dll";
// "VID_2719&PID_0604&MI_01.dll": 27 characters.
inline constexpr size_t kSkinLibraryNameMax = 27;

// The skin library's file name for a device interface path: "VID_vvvv&PID_pppp" from the
// path's upper-cased copy, then "&MI_ii" when the path names an interface, then ".dll". Empty
// when the path does not name the mouse's identifiers, is too short to hold them, ends at
// "MI_", or would give a name that is not a bare file name.
std::wstring skinLibraryNameForPath(const char* path);

// Loads the file of that bare name from the program's own folder (never from the current
// directory or PATH) as a data-only image: resources only, no code runs. Null on failure, with
// the reason in GetLastError.
HMODULE loadSkinLibrary(const wchar_t* name);

// The skin for one interface of the mouse, as the window finds it: the interface's own library,
// else the default one. Null when neither loads (or when path is null and the default does not).
HMODULE loadSkinLibraryFor(const char* interfacePath);
