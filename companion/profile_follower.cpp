#include "companion/profile_follower.h"

#include "device/configuration_program.h"

ProfileFollower::ProfileFollower(FollowerEvents* events)
    : m_events(events ? events : &m_noEvents) {}

bool ProfileFollower::mayTalk() {
    if (!configurationProgramRunning()) return true;
    stepAside();
    return false;
}

void ProfileFollower::connect() {
    lose(State::Searching);
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
    if (m_state != State::Following || !mayTalk()) return;
    const WatchReply reply = m_link.watch();
    switch (reply.outcome) {
    case WatchOutcome::Answered:
        follow(MouseState{reply.activeProfile, reply.cpiStage});
        break;
    case WatchOutcome::DeviceLost:
        // The cable pulled: look once more at once, else wait for the mouse to come back.
        connect();
        break;
    case WatchOutcome::NotPolled:
        m_state = State::Unwatched;
        break;
    case WatchOutcome::NoReply:
    case WatchOutcome::Refused:
        break; // the next poll asks again
    }
}

void ProfileFollower::follow(const MouseState& now) {
    if (!m_seen) {
        m_seen = now;
        m_events->mouseFound(now);
        return;
    }
    if (now.activeProfile != m_seen->activeProfile) {
        applyProfile(now);
        return;
    }
    if (now.cpiStage != m_seen->cpiStage) {
        m_seen = now;
        m_events->stageSelected(now);
    }
}

// Reads the selected profile's record and applies what it carries. A record that could not be
// read is read again at the next poll, which still sees the profile as new.
void ProfileFollower::applyProfile(const MouseState& now) {
    if (profileIndex(now.activeProfile) < 0) { // names no profile: nothing to apply
        m_seen = now;
        return;
    }
    ProfileSettings record{};
    if (!mayTalk() || !m_link.readProfile(now.activeProfile, record)) return;
    m_seen = now;
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
