// Reading and writing the configuration memory, and storing the panel's values in a profile.
#pragma once

#include "device/hid_device.h"
#include "device/mouse_settings.h"

// 26 'D' requests; every answered record is stored (and marked read), the others keep their
// fields. Returns the number of records answered.
int readConfigBlock(HidDevice& device, MouseSettings& settings);

// The 11 bytes of profile `offset` (0, 11 or 22) as the device holds them now: three 'D'
// requests from the profile's own address, the mouse held alone for them. False, with
// `profile` untouched, for another offset, a mouse kept by another program, or a request that
// fails or is refused.
bool readProfileRecord(HidDevice& device, int offset, ProfileSettings& profile);

// 'E' requests for the records that were read, in address order; outcomes are not looked at.
void writeConfigBlock(HidDevice& device, const MouseSettings& settings);

// Copies the panel values into profile `offset` (0, 11 or 22) of the settings and the mirror
// and sets address 6 to 0; a kept CPI preset leaves its two stored codes as they are. Any other
// offset stores nothing and returns false.
bool storeProfile(MouseSettings& settings, ProfileMirror& mirror, const PanelValues& panel,
                  int offset);
