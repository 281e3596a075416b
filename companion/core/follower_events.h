// What the profile follower tells its face about the mouse, beyond applying the settings: the
// face of the companion (its tray icon, its on-screen display) is built on these.
#pragma once

#include "device/mouse_settings.h"
#include "pointer/pointer_settings.h"

#include <cstdint>
#include <string>

// The mouse's own state as its watch request answers it.
struct MouseState {
    uint8_t activeProfile = 0; // offset 0, 11 or 22
    uint8_t cpiStage = 0;      // 1 to 4
};

class FollowerEvents {
  public:
    virtual ~FollowerEvents() = default;
    // The mouse was opened: where it stands, with its active profile's record when the block
    // read held it (its carried settings went to Windows if somebody configured it).
    virtual void mouseFound(const MouseState&, const ProfileSettings* /*record*/) {}
    // The mouse went away (cable pulled), or the companion let go of it.
    virtual void mouseLost() {}
    // The mouse's own button selected another profile; its record and what Windows took
    // (nothing from a profile nobody configured).
    virtual void profileSelected(const MouseState&, const ProfileSettings&,
                                 const CarriedSettingsOutcome&) {}
    // The mouse's own button moved to another CPI stage of the same profile.
    virtual void stageSelected(const MouseState&) {}
    // A program link switched the mouse to another profile, or back: its record, what Windows
    // took, and the program's file name.
    virtual void profileSwitched(const MouseState&, const ProfileSettings&,
                                 const CarriedSettingsOutcome&, const std::wstring& /*program*/) {}
};
