#include "companion/face/tray_menu.h"

HMENU createTrayMenu(const TrayMenuState& state) {
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return nullptr;
    auto checked = [](bool on) { return UINT(on ? MF_CHECKED : MF_UNCHECKED); };
    ::AppendMenuW(menu, MF_STRING, tray_command::kOpenSettings, L"Open Pelko settings");
    ::AppendMenuW(menu, MF_STRING | checked(state.onScreenDisplay), tray_command::kOnScreenDisplay,
                  L"Show on-screen display");
    ::AppendMenuW(menu, MF_STRING | checked(state.startsWithWindows),
                  tray_command::kStartWithWindows, L"Start with Windows");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, tray_command::kSaveProfiles, L"Save profiles to a file\u2026");
    ::AppendMenuW(menu, MF_STRING, tray_command::kRestoreProfiles,
                  L"Restore profiles from a file\u2026");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    appendLinkEntries(menu, state.links);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, tray_command::kExit, L"Exit");
    ::SetMenuDefaultItem(menu, tray_command::kOpenSettings, FALSE);
    return menu;
}

UINT pickFromTrayMenu(HWND owner, POINT at, const TrayMenuState& state) {
    HMENU menu = createTrayMenu(state);
    if (!menu) return 0;
    ::SetForegroundWindow(owner);
    const UINT picked = UINT(
        ::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN,
                           at.x, at.y, owner, nullptr));
    // The documented companion of SetForegroundWindow for a tray menu: without a message to the
    // owner the menu may not show again at the next click.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
    return picked;
}
