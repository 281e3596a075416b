// Notices of the user's session being connected and disconnected (WTS session notifications),
// for a window: with fast user switching or a remote session closed without logging off, the
// session keeps running while another user has the machine, and its companion must not talk
// to the mouse meanwhile.
#pragma once

#include <windows.h>

// The WTSRegisterSessionNotification seam: tests install a stand-in; null puts the system's back.
using SessionRegisterFunction = BOOL(WINAPI*)(HWND window, DWORD flags);
void installSessionRegistration(SessionRegisterFunction function);

class SessionNotice {
  public:
    SessionNotice() = default;
    ~SessionNotice();
    SessionNotice(const SessionNotice&) = delete;
    SessionNotice& operator=(const SessionNotice&) = delete;

    // WM_WTSSESSION_CHANGE for this session reaches `window` from now on; false when the
    // system would not register it (wtsapi32.dll is taken from Windows' own folder). Early at
    // logon the system refuses until its session services run: try again later.
    bool registerFor(HWND window);
    bool registered() const { return m_window != nullptr; }
    // Whether registering can ever work here (wtsapi32.dll has the functions).
    static bool available();

  private:
    HWND m_window = nullptr;
};

enum class SessionChange { None, Connected, Disconnected };
// What a WM_WTSSESSION_CHANGE's code says of the session: a console or remote connect, or a
// disconnect; a lock, an unlock, a logon or a logoff is none of these.
SessionChange sessionChangeOf(WPARAM code);
