#include "companion/core/session_notice.h"

#include "framework/system_library.h"

#include <wtsapi32.h>

namespace {

struct WtsFunctions {
    SystemLibrary library{L"wtsapi32.dll"};
    decltype(&::WTSRegisterSessionNotification) registerNotification = nullptr;
    decltype(&::WTSUnRegisterSessionNotification) unregisterNotification = nullptr;

    WtsFunctions() {
        library.take(registerNotification, "WTSRegisterSessionNotification");
        library.take(unregisterNotification, "WTSUnRegisterSessionNotification");
    }
};

const WtsFunctions& wts() {
    static const WtsFunctions functions;
    return functions;
}

SessionRegisterFunction g_register = nullptr;

BOOL registerNotification(HWND window) {
    return g_register ? g_register(window, NOTIFY_FOR_THIS_SESSION)
                      : wts().registerNotification(window, NOTIFY_FOR_THIS_SESSION);
}

} // namespace

void installSessionRegistration(SessionRegisterFunction function) {
    g_register = function;
}

SessionNotice::~SessionNotice() {
    if (m_window && wts().unregisterNotification) wts().unregisterNotification(m_window);
}

bool SessionNotice::available() {
    return g_register || (wts().registerNotification && wts().unregisterNotification);
}

bool SessionNotice::registerFor(HWND window) {
    if (!available() || !registerNotification(window)) return false;
    m_window = window;
    return true;
}

SessionChange sessionChangeOf(WPARAM code) {
    switch (code) {
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        return SessionChange::Connected;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        return SessionChange::Disconnected;
    default:
        return SessionChange::None;
    }
}
