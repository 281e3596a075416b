// The companion's icon in the taskbar's notification area (Shell_NotifyIconW, version 4), with
// its tooltip. It comes back when the taskbar is created again (an Explorer restart), and stays
// one icon when Explorer announces a new taskbar while still holding it (a display change).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

// The Shell_NotifyIconW seam: tests install a stand-in taskbar; null puts the system's back.
using ShellNotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
void installShellNotifyIcon(ShellNotifyIconFunction function);

class TrayIcon {
  public:
    // `owner` receives `callbackMessage` for the icon's mouse and keyboard events.
    TrayIcon(HWND owner, UINT id, UINT callbackMessage);
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon with its tooltip; false when the taskbar refuses it (none running yet, or
    // too busy at logon): the icon and tooltip are kept for restore().
    bool add(HICON icon, const std::wstring& tip);
    // A new tooltip; kept for a later add even while the icon is not in the taskbar.
    bool setTip(const std::wstring& tip);
    // Takes the icon out of the taskbar.
    void remove();
    // Puts the kept icon and tooltip into the taskbar after a new taskbar or a failed add:
    // added anew, or, when the taskbar still holds it, brought up to date. False when the
    // taskbar takes neither.
    bool restore();
    bool added() const { return m_added; }

    // The message Explorer broadcasts when it has created the taskbar.
    static UINT taskbarCreatedMessage();

  private:
    NOTIFYICONDATAW data(UINT flags) const;
    bool send(DWORD message, UINT flags);

    HWND m_owner;
    UINT m_id;
    UINT m_callbackMessage;
    HICON m_icon = nullptr;
    std::wstring m_tip;
    bool m_added = false;
};

// What a version-4 callback message asks of the companion.
enum class TrayRequest {
    None,
    Menu,         // a right click on the icon, or the menu key
    OpenSettings, // a left double click
};
TrayRequest trayRequestOf(LPARAM callbackLParam);
// Where the menu of the callback message being handled opens: the cursor's position as Windows
// gives it for that message (GetMessagePos), in this program's coordinates at every display
// scaling. The callback's own point is in physical pixels, wrong for a program that is not
// DPI-aware on a scaled display.
POINT trayMenuAnchor();
