// The companion's icon in the taskbar's notification area (Shell_NotifyIconW, version 4), with
// its tooltip. It comes back when the taskbar is created again (an Explorer restart).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

class TrayIcon {
  public:
    // `owner` receives `callbackMessage` for the icon's mouse and keyboard events.
    TrayIcon(HWND owner, UINT id, UINT callbackMessage);
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon with its tooltip; false when the taskbar refuses it (none running yet).
    bool add(HICON icon, const std::wstring& tip);
    // A new tooltip; kept for a later add even while the icon is not in the taskbar.
    bool setTip(const std::wstring& tip);
    // Takes the icon out of the taskbar.
    void remove();
    // The taskbar was created again: the icon it lost is added anew with its tooltip.
    bool restore();
    bool added() const { return m_added; }

    // The message Explorer broadcasts when it has created the taskbar.
    static UINT taskbarCreatedMessage();

  private:
    NOTIFYICONDATAW data(UINT flags) const;

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
// The screen point a version-4 callback message gives for the icon's event.
POINT trayAnchorOf(WPARAM callbackWParam);
