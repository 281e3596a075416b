#include "companion/tray_icon.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage)
    : m_owner(owner), m_id(id), m_callbackMessage(callbackMessage) {}

NOTIFYICONDATAW TrayIcon::data(UINT flags) const {
    NOTIFYICONDATAW notify = {};
    notify.cbSize = sizeof(notify);
    notify.hWnd = m_owner;
    notify.uID = m_id;
    notify.uFlags = flags;
    notify.uCallbackMessage = m_callbackMessage;
    notify.hIcon = m_icon;
    // A tooltip longer than the field is cut, never overrun.
    const size_t length = std::min(m_tip.size(), std::size(notify.szTip) - 1);
    std::wmemcpy(notify.szTip, m_tip.c_str(), length);
    notify.szTip[length] = L'\0';
    notify.uVersion = NOTIFYICON_VERSION_4;
    return notify;
}

bool TrayIcon::add(HICON icon, const std::wstring& tip) {
    m_icon = icon;
    m_tip = tip;
    // Version 4 shows the tooltip only when asked to (NIF_SHOWTIP).
    NOTIFYICONDATAW notify = data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (!::Shell_NotifyIconW(NIM_ADD, &notify)) return false;
    m_added = true;
    // Version 4: the callback carries the event in its low word and the point in wParam.
    ::Shell_NotifyIconW(NIM_SETVERSION, &notify);
    return true;
}

bool TrayIcon::setTip(const std::wstring& tip) {
    m_tip = tip;
    if (!m_added) return false;
    NOTIFYICONDATAW notify = data(NIF_TIP | NIF_SHOWTIP);
    return ::Shell_NotifyIconW(NIM_MODIFY, &notify) != FALSE;
}

void TrayIcon::remove() {
    if (!m_added) return;
    NOTIFYICONDATAW notify = data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &notify);
    m_added = false;
}

bool TrayIcon::restore() {
    m_added = false; // the old taskbar took the icon with it
    return add(m_icon, m_tip);
}

UINT TrayIcon::taskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayRequest trayRequestOf(LPARAM callbackLParam) {
    switch (LOWORD(callbackLParam)) {
    case WM_CONTEXTMENU: // also the menu key while the icon has the keyboard focus
        return TrayRequest::Menu;
    case WM_LBUTTONDBLCLK:
        return TrayRequest::OpenSettings;
    default:
        return TrayRequest::None;
    }
}

POINT trayAnchorOf(WPARAM callbackWParam) {
    return POINT{GET_X_LPARAM(callbackWParam), GET_Y_LPARAM(callbackWParam)};
}
