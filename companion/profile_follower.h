// The companion's core, without any window: it opens the mouse, asks for its active profile,
// applies a newly selected profile's Windows pointer settings, and keeps away from the mouse
// while a configuration program runs. Its face turns the state into timers and hands it the
// system's notices (companion_window.h).
#pragma once

#include "companion/follower_events.h"
#include "companion/mouse_link.h"

#include <optional>

class ProfileFollower {
  public:
    enum class State {
        Searching, // no mouse: waiting for a HID interface to arrive
        Retrying,  // the mouse is listed but did not complete its start-up: again in 2 s
        Following, // asking the mouse once a poll interval
        Unwatched, // started but its unlock was refused: never polled
        Aside,     // a configuration program runs: no exchange until it has ended
        Asleep,    // the system is suspending: the mouse is opened again at the resume
    };

    explicit ProfileFollower(FollowerEvents* events = nullptr);
    State state() const { return m_state; }

    // Opens the mouse, or steps aside for a configuration program that runs. Also what a
    // rescan, a retry and the end of a configuration program do. Applies nothing.
    void connect();
    // Searching or retrying: opens the mouse if it is there now.
    void retry();
    // One watch request; a newly selected profile has its settings applied.
    void poll();
    // A configuration program starts (WM_USER + 15, + 14): let go of the mouse at once.
    void stepAside();
    // Aside: opens the mouse again once no configuration program runs.
    void checkAside();
    // A HID interface arrived: a mouse that was missing, or unwatched, is opened (again).
    void interfaceArrived();
    void suspend();
    // The resume from sleep: the mouse is opened again, whatever the handle held before.
    void resume();

  private:
    // False, having stepped aside, when a configuration program runs: the check before every
    // sequence on the mouse.
    bool mayTalk();
    void lose(State next);
    // The answer compared with the last one; a newly selected profile comes back with its
    // record read.
    std::optional<MouseState> follow(const MouseState& now, ProfileSettings& record);
    // What the record carries, to Windows.
    void apply(const MouseState& now, const ProfileSettings& record);

    FollowerEvents* m_events;
    FollowerEvents m_noEvents;
    MouseLink m_link;
    State m_state = State::Searching;
    // What the mouse answered last since it was opened; empty until its first answer, which
    // only sets it: a profile is applied when it changes under the companion's eyes.
    std::optional<MouseState> m_seen;
};
