// The tray icon's menu: its entries, their check marks, and the pick.
#pragma once

#include "companion/face/link_menu.h"

#include <windows.h>

// The menu's commands; 0 is "nothing picked".
namespace tray_command {
inline constexpr UINT kOpenSettings = 1;
inline constexpr UINT kOnScreenDisplay = 2;
inline constexpr UINT kStartWithWindows = 3;
inline constexpr UINT kExit = 4;
inline constexpr UINT kSaveProfiles = 5;
inline constexpr UINT kRestoreProfiles = 6;
} // namespace tray_command

// The check marks the menu shows.
struct TrayMenuState {
    bool onScreenDisplay = true;
    bool startsWithWindows = false;
    LinkMenuState links;
};

// "Open Pelko settings" (the default entry: a double click does the same), "Show on-screen
// display", "Start with Windows", a separator, "Save profiles to a file…", "Restore profiles
// from a file…", a separator, the program links' two entries, a separator and "Exit". The
// caller destroys it.
HMENU createTrayMenu(const TrayMenuState& state);

// Shows the menu at `at` (screen coordinates) for the owner window, which is brought to the
// foreground first so that the menu closes when the user clicks elsewhere. Returns the picked
// command, or 0 when the menu was dismissed.
UINT pickFromTrayMenu(HWND owner, POINT at, const TrayMenuState& state);
