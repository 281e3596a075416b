// The companion's core, without any window: it opens the mouse, asks for its active profile,
// applies the selected profile's Windows pointer settings, and keeps away from the mouse while
// a configuration program runs or its session is not connected. Its face turns the state into
// timers and hands it the system's notices (companion_window.h).
#pragma once

#include "companion/core/follower_events.h"
#include "companion/core/mouse_link.h"

#include <optional>
#include <string>

class ProfileFollower {
  public:
    enum class State {
        Searching,    // no mouse: waiting for a HID interface to arrive
        Retrying,     // the mouse is listed but did not complete its start-up: again in 2 s
        Following,    // asking the mouse once a poll interval
        Unwatched,    // started but its unlock was refused: never polled
        Aside,        // a configuration program runs: no exchange until it has ended
        Asleep,       // the system is suspending: the mouse is opened again at the resume, or
                      // at the next tick or arrival should the resume notice never come
        Disconnected, // the user's session is not connected (another user has the machine):
                      // no exchange until it connects again
    };

    explicit ProfileFollower(FollowerEvents* events = nullptr);
    State state() const { return m_state; }

    // Opens the mouse, or steps aside for a configuration program that runs. Also what a
    // rescan, a retry and the end of a configuration program do. An opened mouse's block read
    // is the starting point, and its active profile's carried settings go to Windows once.
    void connect();
    // Searching, retrying or asleep: opens the mouse if it is there now.
    void retry();
    // One watch request; a newly selected profile has its settings applied. Asleep: a poll
    // that comes anyway opens the mouse again.
    void poll();
    // A configuration program starts (WM_USER + 15, + 14): let go of the mouse at once.
    void stepAside();
    // Aside: opens the mouse again once no configuration program runs.
    void checkAside();
    // A HID interface arrived: a mouse that was missing, unwatched or asleep is opened (again).
    void interfaceArrived();
    void suspend();
    // The resume from sleep: the mouse is opened again, whatever the handle held before.
    void resume();
    // The session was disconnected (a user switch, a remote session closed without logging
    // off), or connected again.
    void sessionDisconnected();
    void sessionConnected();

    // A program link's switch: the mouse to profile `offset` by the select-profile and
    // live-state requests (its CPI stage, the rate and swap of the profile's record), no block
    // write; then the record's carried settings to Windows and the event naming `program`.
    // Only while following; a switch to a link's profile never goes to a profile nobody
    // configured (`toLink`), the way back does.
    enum class Switch {
        Done,    // sent, or the mouse stood there already
        NotNow,  // no mouse followed, aside, or the mouse could not be had: later
        Refused, // a profile nobody configured, or no record of it
    };
    Switch switchProfile(int offset, const std::wstring& program, bool toLink);
    // The mouse's active profile as last seen, while following.
    std::optional<int> activeProfile() const;
    // How many times the mouse's own button has selected a profile so far.
    unsigned buttonSelections() const { return m_buttonSelections; }
    // How many times the mouse has been opened and followed so far.
    unsigned openings() const { return m_openings; }

  private:
    // What one poll brought while the mouse was held; acted on once it is free again.
    struct PollTurn {
        bool aside = false; // a configuration program runs: no exchange was made
        WatchReply reply;
        bool recordRead = false; // the newly selected profile's record, read in the same hold
        ProfileSettings record{};
    };
    PollTurn pollUnderHold();
    void follow(const MouseState& now, const PollTurn& turn);
    // The mouse just opened: where its block read says it stands.
    void arrive();
    // A profile selected under the companion's eyes: what its record carries, to Windows,
    // unless nobody ever configured it.
    void select(const MouseState& now, const ProfileSettings& record);
    CarriedSettingsOutcome applyIfConfigured(int offset, const ProfileSettings& record);
    void lose(State next);

    FollowerEvents* m_events;
    FollowerEvents m_noEvents;
    MouseLink m_link;
    State m_state = State::Searching;
    bool m_sessionConnected = true;
    // Where the mouse stood when last seen: its block read at the open, then each answer.
    // Empty only while the block held no state, until the first answer.
    std::optional<MouseState> m_seen;
    unsigned m_buttonSelections = 0;
    unsigned m_openings = 0;
};
