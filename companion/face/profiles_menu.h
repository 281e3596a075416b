// The menu's "Save profiles to a file…" and "Restore profiles from a file…": the standard file
// dialogs, then profiles/ does the work; a box says what went wrong. Both are refused while the
// configuration window runs (the companion makes no exchange then).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The default file name: "Pelko profiles 2026-12-09.json" with today's local date.
std::wstring defaultProfilesFileName();

// Each returns the on-screen display's confirmation, or nothing when the user cancelled or a
// box said why nothing was done.
std::optional<std::wstring> saveProfilesFromMenu(HWND owner);
std::optional<std::wstring> restoreProfilesFromMenu(HWND owner);
