#include "companion/core/companion_window.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kRetryTimer = 2;
constexpr UINT_PTR kAsideTimer = 3;
constexpr UINT_PTR kArrivalTimer = 4;
// 5 is the face's (the tray icon's retry): the window hands it timers it does not know.
constexpr UINT_PTR kLookTimer = 6;
// The look at the program in front: foreground events can be missed (and Wine sends none).
constexpr UINT kLookMs = 500;
// A failed start-up, a scan without arrival notices, or a refused registration for the
// session's notices, is tried again at most this often.
constexpr UINT kRetryMs = 2000;
// How often, while aside, the companion looks whether the configuration program has ended.
constexpr UINT kAsideMs = 500;
// An arriving mouse brings its interfaces one after the other: one scan after the last.
constexpr UINT kArrivalSettleMs = 300;
// Asleep: a resume notice that never came must not end following, so the mouse is opened
// again after this long anyway (a suspending system sleeps well before it).
constexpr UINT kAsleepMs = 5000;

using State = ProfileFollower::State;

} // namespace

BEGIN_MESSAGE_MAP(CCompanionWnd, CWnd)
ON_MESSAGE(kConfigurationStarting, OnConfigurationStarting)
ON_MESSAGE(kConfigurationStarted, OnConfigurationStarting)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChange)
ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
ON_MESSAGE(WM_WTSSESSION_CHANGE, OnSessionChange)
ON_MESSAGE(kMouseRewrittenMessage, OnMouseRewritten)
ON_MESSAGE(WM_DESTROY, OnDestroy)
ON_MESSAGE(kForegroundChangedMessage, OnForegroundChanged)
END_MESSAGE_MAP()

CCompanionWnd::CCompanionWnd(ProfileFollower& follower, UINT pollMs)
    : m_follower(follower), m_pollMs(pollMs) {}

BOOL CCompanionWnd::CreateCompanion() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kCompanionClass;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return FALSE;
    // A tool window has no taskbar button, should it ever be shown.
    if (!CreateEx(WS_EX_TOOLWINDOW, kCompanionClass, kCompanionTitle, WS_POPUP, RECT{}, nullptr, 0))
        return FALSE;
    m_arrivals.registerFor(m_hWnd);
    // Started at logon, the companion can be too early for the session's notices: without them
    // it would go on talking to the mouse from a disconnected session, so it asks again.
    if (!m_session.registerFor(m_hWnd) && SessionNotice::available())
        SetTimer(kSessionRetryTimer, kRetryMs);
    return TRUE;
}

void CCompanionWnd::StartFollowing() {
    m_follower.connect();
    syncTimers();
}

void CCompanionWnd::syncLooks() {
    if (!m_looks) return;
    if (m_follower.openings() != m_openings) {
        m_openings = m_follower.openings();
        if (m_follower.state() == State::Following) m_looks->mouseOpened();
    }
    const bool wanted = m_looks->wantsLooks();
    if (wanted == m_looking) return;
    if (wanted)
        SetTimer(kLookTimer, kLookMs);
    else
        KillTimer(kLookTimer);
    m_looking = wanted;
}

void CCompanionWnd::syncTimers() {
    syncLooks();
    UINT_PTR wanted = 0;
    UINT period = 0;
    switch (m_follower.state()) {
    case State::Following:
        wanted = kPollTimer, period = m_pollMs;
        break;
    case State::Retrying:
        wanted = kRetryTimer, period = kRetryMs;
        break;
    case State::Searching: // without arrival notices, a rescan now and then
        if (!m_arrivals.registered()) wanted = kRetryTimer, period = kRetryMs;
        break;
    case State::Aside:
        wanted = kAsideTimer, period = kAsideMs;
        break;
    case State::Asleep:
        wanted = kRetryTimer, period = kAsleepMs;
        break;
    case State::Unwatched:
    case State::Disconnected:
        break;
    }
    if (wanted == m_runningTimer && period == m_runningPeriod) return;
    if (m_runningTimer) KillTimer(m_runningTimer);
    if (wanted) SetTimer(wanted, period);
    m_runningTimer = wanted;
    m_runningPeriod = period;
}

LRESULT CCompanionWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_face && m_face->handleMessage(message, wParam, lParam, result)) return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

// Answered only once the mouse's handle is closed: the program's start waits for the answer.
LRESULT CCompanionWnd::OnConfigurationStarting(WPARAM, LPARAM) {
    m_follower.stepAside();
    syncTimers();
    return 0;
}

LRESULT CCompanionWnd::OnTimer(WPARAM id, LPARAM) {
    switch (id) {
    case kPollTimer:
        m_follower.poll();
        break;
    case kRetryTimer:
        m_follower.retry();
        break;
    case kAsideTimer:
        m_follower.checkAside();
        break;
    case kArrivalTimer:
        KillTimer(kArrivalTimer);
        m_follower.interfaceArrived();
        break;
    case kLookTimer:
        if (m_looks) m_looks->look();
        break;
    case kSessionRetryTimer:
        if (m_session.registered() || m_session.registerFor(m_hWnd)) KillTimer(kSessionRetryTimer);
        return 0;
    default:
        return Default();
    }
    syncTimers();
    return 0;
}

LRESULT CCompanionWnd::OnDeviceChange(WPARAM event, LPARAM data) {
    if (isInterfaceArrival(event, data)) SetTimer(kArrivalTimer, kArrivalSettleMs);
    return TRUE;
}

LRESULT CCompanionWnd::OnPowerBroadcast(WPARAM event, LPARAM) {
    switch (event) {
    case PBT_APMSUSPEND:
        m_follower.suspend();
        break;
    case PBT_APMRESUMEAUTOMATIC: // every resume sends it, a resume by the user another one too
        m_follower.resume();
        break;
    default:
        break;
    }
    syncTimers();
    return TRUE;
}

LRESULT CCompanionWnd::OnSessionChange(WPARAM code, LPARAM) {
    switch (sessionChangeOf(code)) {
    case SessionChange::Connected:
        m_follower.sessionConnected();
        break;
    case SessionChange::Disconnected:
        m_follower.sessionDisconnected();
        break;
    case SessionChange::None:
        break;
    }
    syncTimers();
    return 0;
}

// A mouse the companion follows is opened anew, its block read again; one it does not follow
// is left as it is.
LRESULT CCompanionWnd::OnMouseRewritten(WPARAM, LPARAM) {
    if (m_follower.state() == ProfileFollower::State::Following) m_follower.connect();
    syncTimers();
    return 0;
}

LRESULT CCompanionWnd::OnForegroundChanged(WPARAM, LPARAM) {
    if (m_looks) m_looks->look();
    syncTimers();
    return 0;
}

LRESULT CCompanionWnd::OnDestroy(WPARAM, LPARAM) {
    m_face = nullptr;
    m_looks = nullptr;
    ::PostQuitMessage(0);
    return Default();
}
