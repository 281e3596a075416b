#include "companion/face/tray_icon.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

namespace {

ShellNotifyIconFunction g_shellNotifyIcon = ::Shell_NotifyIconW;

constexpr UINT kFullFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;

} // namespace

void installShellNotifyIcon(ShellNotifyIconFunction function) {
    g_shellNotifyIcon = function ? function : ::Shell_NotifyIconW;
}

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

bool TrayIcon::send(DWORD message, UINT flags) {
    NOTIFYICONDATAW notify = data(flags);
    return g_shellNotifyIcon(message, &notify) != FALSE;
}

bool TrayIcon::add(HICON icon, const std::wstring& tip) {
    m_icon = icon;
    m_tip = tip;
    // Version 4 shows the tooltip only when asked to (NIF_SHOWTIP).
    if (!send(NIM_ADD, kFullFlags)) return false;
    m_added = true;
    // Version 4: the callback carries the event in its low word and the point in wParam.
    send(NIM_SETVERSION, 0);
    return true;
}

bool TrayIcon::setTip(const std::wstring& tip) {
    m_tip = tip;
    if (!m_added) return false;
    return send(NIM_MODIFY, NIF_TIP | NIF_SHOWTIP);
}

void TrayIcon::remove() {
    if (!m_added) return;
    send(NIM_DELETE, 0);
    m_added = false;
}

bool TrayIcon::restore() {
    // A new taskbar after an Explorer restart has lost the icon; one announced after a display
    // change or a remote connection still holds it and refuses a second add of the same id.
    if (add(m_icon, m_tip)) return true;
    m_added = send(NIM_MODIFY, kFullFlags);
    if (m_added) send(NIM_SETVERSION, 0);
    return m_added;
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

POINT trayMenuAnchor() {
    const DWORD position = ::GetMessagePos();
    return POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}
