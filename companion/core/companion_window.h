// The companion's window: hidden, top-level (so that FindWindowW finds it and broadcasts reach
// it), of class "Joyvane_Clock" and title "Joyvane Clock". It hands the profile follower the
// configuration program's messages, HID arrivals, power notices and its session's connects and
// disconnects, and keeps the timer of each follower state: the poll while following, a retry
// every 2 s, the look for the configuration program's end while aside, a look now and then
// while asleep, and the session's notices asked for again until the system grants them.
#pragma once

#include "companion/core/device_arrival.h"
#include "companion/core/foreground_looks.h"
#include "companion/core/message_sink.h"
#include "companion/core/profile_follower.h"
#include "companion/core/session_notice.h"
#include "framework/wnd.h"

inline constexpr wchar_t kCompanionClass[] = L"Joyvane_Clock";
inline constexpr wchar_t kCompanionTitle[] = L"Joyvane Clock";
// What the configuration program sends at its start, in this order.
inline constexpr UINT kConfigurationStarting = WM_USER + 15;
inline constexpr UINT kConfigurationStarted = WM_USER + 14;
// Sent by the face once a restore from a file has written the mouse: what the companion read of
// it when it opened it (which profiles somebody configured) is read anew.
inline constexpr UINT kMouseRewrittenMessage = WM_APP + 2;
// The timer that asks for the session's notices again while the system refuses them.
inline constexpr UINT_PTR kSessionRetryTimer = 7;

class CCompanionWnd : public CWnd {
  public:
    CCompanionWnd(ProfileFollower& follower, UINT pollMs);
    DECLARE_MESSAGE_MAP()

    // Registers the class (once per process) and makes the hidden window; false when either
    // fails.
    BOOL CreateCompanion();
    // Opens the mouse (its active profile's settings to Windows) and starts the timers of the
    // state it is in.
    void StartFollowing();
    // The face that gets the messages this window does not handle itself (the tray icon's).
    void SetFace(MessageSink* face) { m_face = face; }
    // The looks at the program in front, told of each open of the mouse; before
    // StartFollowing.
    void SetLooks(ForegroundLooks* looks) { m_looks = looks; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnConfigurationStarting(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDeviceChange(WPARAM, LPARAM);
    LRESULT OnPowerBroadcast(WPARAM, LPARAM);
    LRESULT OnSessionChange(WPARAM, LPARAM);
    LRESULT OnMouseRewritten(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnForegroundChanged(WPARAM, LPARAM);

  private:
    // The one timer the follower's state needs; the others are killed. The looks hear of an
    // open of the mouse first, and have their timer while they want it.
    void syncTimers();
    void syncLooks();

    ProfileFollower& m_follower;
    UINT m_pollMs;
    HidArrivalNotice m_arrivals;
    SessionNotice m_session;
    UINT_PTR m_runningTimer = 0;
    UINT m_runningPeriod = 0;
    MessageSink* m_face = nullptr;
    ForegroundLooks* m_looks = nullptr;
    unsigned m_openings = 0;
    bool m_looking = false;
};
