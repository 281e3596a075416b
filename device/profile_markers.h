// The defaults markers at addresses 0 and 1: which profiles have had their factory choices, so
// that a profile's record holds values somebody gave. A profile that never had them holds the
// mouse's factory bytes, which nobody gave: the window shows it factory choices instead, and
// the companion applies nothing from it.
#pragma once

#include "device/mouse_settings.h"

// Whether the markers say the profile at offset had its factory choices; a profile that had
// none gets them and the marker moves (0xFF → 10 → 12 for profiles 1 and 2, 0xFF → 3 for 3).
bool hadFactoryChoices(const MouseSettings& settings, int offset);
void markFactoryChoices(MouseSettings& settings, int offset);
// A stored profile holds the user's values: its marker then says it had its factory choices
// (a marker already saying so is kept; 12 counts for profile 1 as well).
void markStoredProfile(MouseSettings& settings, int offset);
// Whether the block's bytes say profile `offset` holds values somebody gave: its marker was
// read from the mouse and says it had its factory choices.
bool profileConfigured(const MouseSettings& settings, int offset);
