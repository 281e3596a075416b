#include "companion/core/profile_follower.h"

#include "device/configuration_program.h"
#include "device/mouse_lock.h"
#include "device/profile_markers.h"

namespace {

using State = ProfileFollower::State;

State stateAfter(MouseLink::Opened opened) {
    switch (opened) {
    case MouseLink::Opened::NoMouse:
        return State::Searching;
    case MouseLink::Opened::Failed:
        return State::Retrying;
    case MouseLink::Opened::Locked:
        return State::Unwatched;
    case MouseLink::Opened::Watchable:
        break;
    }
    return State::Following;
}

bool recordHeld(const MouseSettings& block, int offset) {
    return profileIndex(offset) >= 0 &&
           bytesRead(block, ProfileBaseAddress + offset, int(sizeof(ProfileSettings)));
}

} // namespace

ProfileFollower::ProfileFollower(FollowerEvents* events)
    : m_events(events ? events : &m_noEvents) {}

// Each of the companion's turns at the mouse holds it alone (the machine's mouse lock) and,
// under that hold, looks for a configuration program. A window announces itself before its
// first exchange, which takes the same lock: a turn that finds no window cannot end up inside
// a window's run. A turn also looks before it waits for the lock, so that a window hung in the
// middle of a sequence costs it nothing. The device functions called in a turn take the lock
// again, which the thread that holds it always gets. What the face and Windows are told waits
// until the mouse is free again.
void ProfileFollower::connect() {
    lose(State::Searching);
    if (!m_sessionConnected) return lose(State::Disconnected);
    if (configurationProgramRunning()) return stepAside();
    bool aside = false;
    {
        const MouseLock mouse;
        if (!mouse.held()) { // another program's sequence kept it: again in 2 s
            m_state = State::Retrying;
            return;
        }
        aside = configurationProgramRunning();
        if (!aside) m_state = stateAfter(m_link.open());
    }
    if (aside) return stepAside();
    if (m_state != State::Following) return;
    ++m_openings;
    arrive();
}

void ProfileFollower::arrive() {
    const MouseSettings& block = m_link.block();
    if (!bytesRead(block, 6, 2)) return; // its first answer will be the starting point
    const MouseState now{uint8_t(block.activeProfile), uint8_t(block.cpiStage)};
    m_seen = now;
    if (!recordHeld(block, now.activeProfile)) return m_events->mouseFound(now, nullptr);
    const ProfileSettings& record = block.profiles[profileIndex(now.activeProfile)];
    applyIfConfigured(now.activeProfile, record);
    m_events->mouseFound(now, &record);
}

void ProfileFollower::retry() {
    if (m_state == State::Searching || m_state == State::Retrying || m_state == State::Asleep)
        connect();
}

void ProfileFollower::poll() {
    if (m_state == State::Asleep) return connect();
    if (m_state != State::Following) return;
    if (configurationProgramRunning()) return stepAside();
    PollTurn turn;
    {
        const MouseLock mouse;
        if (!mouse.held()) return; // kept by another program: the next poll asks
        turn = pollUnderHold();
    }
    if (turn.aside) return stepAside();
    switch (turn.reply.outcome) {
    case WatchOutcome::Answered:
        follow(MouseState{turn.reply.activeProfile, turn.reply.cpiStage}, turn);
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

ProfileFollower::PollTurn ProfileFollower::pollUnderHold() {
    PollTurn turn;
    turn.aside = configurationProgramRunning();
    if (turn.aside) return turn;
    turn.reply = m_link.watch();
    const uint8_t active = turn.reply.activeProfile;
    // A profile's record is read while the mouse is still held, in the same turn as the answer
    // that named the profile.
    if (turn.reply.outcome == WatchOutcome::Answered && m_seen && active != m_seen->activeProfile &&
        profileIndex(active) >= 0)
        turn.recordRead = m_link.readProfile(active, turn.record);
    return turn;
}

void ProfileFollower::follow(const MouseState& now, const PollTurn& turn) {
    if (!m_seen) {
        m_seen = now;
        return m_events->mouseFound(now, nullptr);
    }
    if (now.activeProfile != m_seen->activeProfile) {
        // A record that could not be read is read again at the next poll, which still sees
        // the profile as new; an address 6 that names no profile has nothing to read or apply.
        const bool profile = profileIndex(now.activeProfile) >= 0;
        if (profile && !turn.recordRead) return;
        m_seen = now;
        ++m_buttonSelections;
        if (profile) select(now, turn.record);
        return;
    }
    if (now.cpiStage != m_seen->cpiStage) {
        m_seen = now;
        m_events->stageSelected(now);
    }
}

void ProfileFollower::select(const MouseState& now, const ProfileSettings& record) {
    const CarriedSettingsOutcome outcome = applyIfConfigured(now.activeProfile, record);
    m_events->profileSelected(now, record, outcome);
}

// A profile whose marker says nobody configured it holds the mouse's factory bytes: nothing
// of it reaches Windows.
CarriedSettingsOutcome ProfileFollower::applyIfConfigured(int offset,
                                                          const ProfileSettings& record) {
    if (!profileConfigured(m_link.block(), offset)) return CarriedSettingsOutcome{};
    return applyCarriedPointerSettings(
        carriedPointerSettings({record.pointerSpeed, record.acceleration, record.wheelLines}));
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
    if (m_state == State::Searching || m_state == State::Retrying || m_state == State::Unwatched ||
        m_state == State::Asleep)
        connect();
}

void ProfileFollower::suspend() {
    if (m_state != State::Aside && m_state != State::Disconnected) lose(State::Asleep);
}

void ProfileFollower::resume() {
    if (m_state != State::Aside && m_state != State::Disconnected) connect();
}

void ProfileFollower::sessionDisconnected() {
    m_sessionConnected = false;
    lose(State::Disconnected);
}

void ProfileFollower::sessionConnected() {
    m_sessionConnected = true;
    if (m_state == State::Disconnected) connect();
}

std::optional<int> ProfileFollower::activeProfile() const {
    if (m_state != State::Following || !m_seen) return std::nullopt;
    return m_seen->activeProfile;
}

// One turn like a poll's: the configuration program is looked for before and under the hold.
ProfileFollower::Switch ProfileFollower::switchProfile(int offset, const std::wstring& program,
                                                       bool toLink) {
    if (m_state != State::Following || !m_seen) return Switch::NotNow;
    if (m_seen->activeProfile == offset) return Switch::Done;
    const MouseSettings& block = m_link.block();
    if (!recordHeld(block, offset) || (toLink && !profileConfigured(block, offset)))
        return Switch::Refused;
    const ProfileSettings record = block.profiles[profileIndex(offset)];
    const LiveState live{m_seen->cpiStage, record.reportRateCode, record.buttonSwap};
    if (configurationProgramRunning()) {
        stepAside();
        return Switch::NotNow;
    }
    bool aside = false, sent = false;
    {
        const MouseLock mouse;
        if (!mouse.held()) return Switch::NotNow;
        aside = configurationProgramRunning();
        if (!aside) sent = m_link.selectProfile(offset, live);
    }
    if (aside) stepAside();
    if (!sent) return Switch::NotNow;
    m_seen->activeProfile = uint8_t(offset);
    const CarriedSettingsOutcome outcome = applyIfConfigured(offset, record);
    m_events->profileSwitched(*m_seen, record, outcome, program);
    return Switch::Done;
}
