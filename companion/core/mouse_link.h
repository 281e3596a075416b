// The companion's hold on the mouse: the interfaces a scan lists, the one that completed the
// device start-up, and the companion's exchanges on it. Every step is device/'s own.
#pragma once

#include "device/commit.h"
#include "device/device_requests.h"
#include "device/hid_device.h"
#include "device/mouse_settings.h"
#include "device/started_mouse.h"

class MouseLink {
  public:
    enum class Opened {
        NoMouse,   // no interface of the mouse is listed
        Failed,    // listed, but none completed the start-up
        Locked,    // started, but the unlock was refused: never polled
        Watchable, // started and unlocked
    };

    // Lists the mouse's interfaces and runs the device start-up (unlock, identity, version,
    // block read) on each in turn until one completes it; lets go of anything held before.
    Opened open();
    // Closes every interface the scan opened.
    void close() { m_mouse.close(); }
    bool isOpen() const { return m_mouse.current() != nullptr; }

    // The once-a-second request for the active profile and CPI stage.
    WatchReply watch();
    // The record of profile `offset` as the mouse holds it now.
    bool readProfile(int offset, ProfileSettings& profile);
    // Selects profile `offset` with its live state (the commit's tail); false when nothing
    // could be sent.
    bool selectProfile(int offset, const LiveState& live);
    // The block the last open read: where the mouse stood then, and which of its profiles
    // somebody configured (a window's Apply, which could change that, ends with a new open).
    const MouseSettings& block() const { return m_block; }

  private:
    StartedMouse m_mouse;
    MouseSettings m_block;
};
