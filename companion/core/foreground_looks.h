// What the companion's window drives beside the follower: looks at the program in front (the
// program links), on a timer of its own and at each foreground change.
#pragma once

#include <windows.h>

// The window's message for "the foreground changed: look now".
inline constexpr UINT kForegroundChangedMessage = WM_APP + 20;

class ForegroundLooks {
  public:
    virtual ~ForegroundLooks() = default;
    // The follower has just opened the mouse.
    virtual void mouseOpened() = 0;
    // The look timer, or a foreground change.
    virtual void look() = 0;
    // Whether the look timer should run now.
    virtual bool wantsLooks() const = 0;
};
