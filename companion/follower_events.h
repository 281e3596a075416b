// What the profile follower tells its face about the mouse, beyond applying the settings: the
// face of the companion (its tray icon, its on-screen display) is built on these.
#pragma once

#include "device/mouse_settings.h"
#include "pointer/pointer_settings.h"

#include <cstdint>

// The mouse's own state as its watch request answers it.
struct MouseState {
    uint8_t activeProfile = 0; // offset 0, 11 or 22
    uint8_t cpiStage = 0;      // 1 to 4
};

class FollowerEvents {
  public:
    virtual ~FollowerEvents() = default;
    // The first answer after the mouse was opened: where it stands, nothing applied.
    virtual void mouseFound(const MouseState&) {}
    // The mouse went away (cable pulled), or the companion let go of it.
    virtual void mouseLost() {}
    // The mouse's own button selected another profile; its record and what Windows took.
    virtual void profileSelected(const MouseState&, const ProfileSettings&,
                                 const CarriedSettingsOutcome&) {}
    // The mouse's own button moved to another CPI stage of the same profile.
    virtual void stageSelected(const MouseState&) {}
};
