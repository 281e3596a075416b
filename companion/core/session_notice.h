// Notices of the user's session being connected and disconnected (WTS session notifications),
// for a window: with fast user switching or a remote session closed without logging off, the
// session keeps running while another user has the machine, and its companion must not talk
// to the mouse meanwhile.
#pragma once

#include <windows.h>

class SessionNotice {
  public:
    SessionNotice() = default;
    ~SessionNotice();
    SessionNotice(const SessionNotice&) = delete;
    SessionNotice& operator=(const SessionNotice&) = delete;

    // WM_WTSSESSION_CHANGE for this session reaches `window` from now on; false when the
    // system would not register it (wtsapi32.dll is taken from Windows' own folder).
    bool registerFor(HWND window);

  private:
    HWND m_window = nullptr;
};

enum class SessionChange { None, Connected, Disconnected };
// What a WM_WTSSESSION_CHANGE's code says of the session: a console or remote connect, or a
// disconnect; a lock, an unlock, a logon or a logoff is none of these.
SessionChange sessionChangeOf(WPARAM code);
