#include "companion/links/program_linker.h"

#include "companion/links/program_name.h"

namespace {

int offsetOfProfile(int profile) {
    return (profile - 1) * 11;
}

} // namespace

void ProgramLinker::start(HWND notify, UINT message) {
    m_links = readProgramLinks();
    m_hook.install(notify, message);
}

// A look that finds the window of the last one in front asks nothing more of the system
// unless a program is still settling: the idle cost of a link is one call every 500 ms.
void ProgramLinker::look() {
    bool changed = false;
    const ForegroundProgram front = m_front.read(changed);
    const bool linkable = isLinkableProgram(front.fileName);
    if (linkable) m_lastProgram = front.fileName;
    // A linked program that ends while in front leaves it, whatever window comes next (its
    // window going changes the foreground).
    if (changed && m_settledProcess.ended()) {
        m_settle.leave();
        m_settledProcess.close();
        reconsider();
    }
    if (m_settle.look(linkable ? front.fileName : std::wstring(), ::GetTickCount64())) {
        m_settledProcess.watch(front.processId);
        reconsider();
    }
    if (!m_decided) decide();
}

void ProgramLinker::mouseOpened() {
    const ForegroundProgram front = programInFront();
    if (isLinkableProgram(front.fileName)) {
        m_settle.settleNow(front.fileName);
        m_settledProcess.watch(front.processId);
    }
    reconsider();
    decide();
}

bool ProgramLinker::wantsLooks() const {
    const ProfileFollower::State state = m_follower.state();
    return !m_links.empty() &&
           (state == ProfileFollower::State::Following || state == ProfileFollower::State::Aside);
}

std::wstring ProgramLinker::programForMenu() {
    const ForegroundProgram front = programInFront();
    if (isLinkableProgram(front.fileName)) m_lastProgram = front.fileName;
    return m_lastProgram;
}

bool ProgramLinker::link(const std::wstring& fileName, int profile) {
    const bool stored = setProgramLink(fileName, profile);
    reconsider();
    decide();
    return stored;
}

// The links are read again whenever the decision is due, so that a change made elsewhere
// counts from the next program on.
void ProgramLinker::reconsider() {
    m_links = readProgramLinks();
    m_decided = false;
}

// Decided once per program that settles: a press of the mouse's button while it stays in
// front is the user's choice and is not undone. A switch that cannot be made yet (no mouse,
// a configuration program running) is tried again at the next look or open.
void ProgramLinker::decide() {
    const std::optional<int> active = m_follower.activeProfile();
    if (!active) return;
    if (m_hold && (m_follower.buttonSelections() != m_hold->buttonSelections ||
                   *active != m_hold->switchedTo))
        m_hold.reset(); // the button, or a window, chose since: that choice stands
    const std::wstring& program = m_settle.settled();
    const int profile = linkedProfile(m_links, program);
    m_decided = true;
    if (profile > 0) {
        const int offset = offsetOfProfile(profile);
        if (*active == offset) return;
        const int returnTo = m_hold ? m_hold->returnTo : *active;
        switch (m_follower.switchProfile(offset, program, true)) {
        case ProfileFollower::Switch::Done:
            m_hold = Hold{returnTo, offset, m_follower.buttonSelections()};
            break;
        case ProfileFollower::Switch::NotNow:
            m_decided = false;
            break;
        case ProfileFollower::Switch::Refused:
            break;
        }
        return;
    }
    if (!m_hold) return;
    const ProfileFollower::Switch back = m_follower.switchProfile(m_hold->returnTo, program, false);
    if (back == ProfileFollower::Switch::NotNow)
        m_decided = false;
    else
        m_hold.reset();
}
