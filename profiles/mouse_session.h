// The mouse held by a profiles program for one whole save or restore: the lock taken first and
// kept to the end, so that nothing another program does lands between the block read and the
// write; then the device start-up of device/ (re-open, unlock, identity, version, block read).
#pragma once

#include "device/hid_device.h"
#include "device/mouse_lock.h"
#include "device/mouse_settings.h"
#include "device/started_mouse.h"

#include <optional>
#include <string>

enum class SessionStart {
    Ready,
    MouseBusy,     // another program kept the mouse longer than the lock's wait
    WindowRunning, // refused: a configuration window runs
    NoMouse,       // no interface of the mouse listed, or none completed the start-up
    PartlyRead,    // the start-up ran but not every record of the block answered
};

class MouseSession {
  public:
    // With `refuseWhileWindowRuns`, a running configuration window (looked for with the mouse
    // already held, so a window cannot start its exchanges in between) refuses the session.
    SessionStart open(bool refuseWhileWindowRuns);

    HidDevice& device() { return *m_mouse.current(); }
    MouseSettings& settings() { return m_settings; }
    // "1.2.7", or empty when the mouse gave no version.
    const std::string& firmware() const { return m_firmware; }

  private:
    std::optional<MouseLock> m_lock;
    StartedMouse m_mouse;
    MouseSettings m_settings;
    std::string m_firmware;
};
