// The device steps of Apply and OK: stage read, block write, profile select, stage reload.
#pragma once

#include "device/hid_device.h"
#include "device/mouse_settings.h"

enum class CommitKind { Apply, Ok };

// The other stage that uses the same CPI preset (1<->3, 2<->4); any other value is its own.
int twinStage(int stage);

// Reads the CPI stage, (Apply: sets addresses 2 and 4 to 0x1F and 0xE0), writes the block,
// waits 200 ms, selects `currentProfile`, sets the twin stage with the panel's report rate and
// swap, waits 400 ms and sets the stage itself, the mouse held throughout
// (device/mouse_lock.h). A stage read that fails or is refused keeps the stage the settings
// hold. When the mouse cannot be had nothing is sent and the settings stay as they are.
void commitSettings(HidDevice& device, MouseSettings& settings, const PanelValues& panel,
                    int currentProfile, CommitKind kind);

// The live state a profile selection sends: the CPI stage, the report rate and the swap.
struct LiveState {
    int stage = 0;
    int reportRateCode = 0;
    int buttonSwap = 0;
};

// The commit's tail, also a profile switch on its own (it writes nothing into the block):
// selects the profile at `profileOffset`, sets the twin stage with the rate and swap, waits
// 400 ms and sets the stage itself, the mouse held throughout. Nothing is sent when the mouse
// cannot be had; false then.
bool selectProfileLive(HidDevice& device, int profileOffset, const LiveState& live);
