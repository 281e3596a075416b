#include "companion/profile_follower.h"

#include "device/configuration_program.h"
#include "device/mouse_lock.h"

ProfileFollower::ProfileFollower(FollowerEvents* events)
    : m_events(events ? events : &m_noEvents) {}

bool ProfileFollower::mayTalk() {
    if (!configurationProgramRunning()) return true;
    stepAside();
    return false;
}

// Each of the companion's turns at the mouse holds it alone (the session's mouse lock) and,
// under that hold, looks for a configuration program. A window announces itself before its
// first exchange, which takes the same lock: a turn that finds no window cannot end up inside
// a window's run. The device functions called in a turn take the lock again, which the thread
// that holds it always gets.
void ProfileFollower::connect() {
    lose(State::Searching);
    const MouseLock mouse;
    if (!mouse.held()) { // another program's sequence kept it: again in 2 s
        m_state = State::Retrying;
        return;
    }
    if (!mayTalk()) return;
    switch (m_link.open()) {
    case MouseLink::Opened::NoMouse:
        m_state = State::Searching;
        break;
    case MouseLink::Opened::Failed:
        m_state = State::Retrying;
        break;
    case MouseLink::Opened::Locked:
        m_state = State::Unwatched;
        break;
    case MouseLink::Opened::Watchable:
        m_state = State::Following;
        break;
    }
}

void ProfileFollower::retry() {
    if (m_state == State::Searching || m_state == State::Retrying) connect();
}

void ProfileFollower::poll() {
    if (m_state != State::Following) return;
    std::optional<MouseState> selected;
    ProfileSettings record{};
    {
        const MouseLock mouse;
        if (!mouse.held() || !mayTalk()) return; // kept by another program: the next poll asks
        const WatchReply reply = m_link.watch();
        switch (reply.outcome) {
        case WatchOutcome::Answered:
            selected = follow(MouseState{reply.activeProfile, reply.cpiStage}, record);
            break;
        case WatchOutcome::DeviceLost:
            // The cable pulled: look once more at once, else wait for the mouse to come back.
            connect();
            return;
        case WatchOutcome::NotPolled:
            m_state = State::Unwatched;
            return;
        case WatchOutcome::NoReply:
        case WatchOutcome::Refused:
            return; // the next poll asks again
        }
    }
    // Windows' settings once the mouse is free again: their announcement goes to every window.
    if (selected) apply(*selected, record);
}

std::optional<MouseState> ProfileFollower::follow(const MouseState& now, ProfileSettings& record) {
    if (!m_seen) {
        m_seen = now;
        m_events->mouseFound(now);
        return std::nullopt;
    }
    if (now.activeProfile != m_seen->activeProfile) {
        // A record that could not be read is read again at the next poll, which still sees
        // the profile as new; an address 6 that names no profile has nothing to read or apply.
        const bool profile = profileIndex(now.activeProfile) >= 0;
        if (profile && !m_link.readProfile(now.activeProfile, record)) return std::nullopt;
        m_seen = now;
        return profile ? std::optional<MouseState>(now) : std::nullopt;
    }
    if (now.cpiStage != m_seen->cpiStage) {
        m_seen = now;
        m_events->stageSelected(now);
    }
    return std::nullopt;
}

void ProfileFollower::apply(const MouseState& now, const ProfileSettings& record) {
    const CarriedSettingsOutcome outcome = applyCarriedPointerSettings(
        carriedPointerSettings({record.pointerSpeed, record.acceleration, record.wheelLines}));
    m_events->profileSelected(now, record, outcome);
}

void ProfileFollower::lose(State next) {
    const bool held = m_link.isOpen();
    m_link.close();
    m_seen.reset();
    m_state = next;
    if (held) m_events->mouseLost();
}

void ProfileFollower::stepAside() {
    lose(State::Aside);
}

void ProfileFollower::checkAside() {
    if (m_state == State::Aside && !configurationProgramRunning()) connect();
}

void ProfileFollower::interfaceArrived() {
    if (m_state == State::Searching || m_state == State::Retrying || m_state == State::Unwatched)
        connect();
}

void ProfileFollower::suspend() {
    if (m_state != State::Aside) lose(State::Asleep);
}

void ProfileFollower::resume() {
    if (m_state != State::Aside) connect();
}
