// The defaults markers at addresses 0 and 1: which profiles the user has configured. A profile
// whose marker says it never was holds the mouse's factory bytes, which nobody gave: the window
// shows it factory choices instead, the companion applies nothing from it, and the profiles
// file saves it as never configured. Every program that stores a profile shares these rules.
#pragma once

#include "device/mouse_settings.h"

// Whether the markers say the profile at offset had its factory choices (was configured); a
// profile that had none gets them and the marker moves (0xFF → 10 → 12 for profiles 1 and 2,
// 0xFF → 3 for 3).
bool hadFactoryChoices(const MouseSettings& settings, int offset);
void markFactoryChoices(MouseSettings& settings, int offset);
// A stored profile holds the user's values: its marker then says it had its factory choices
// (a marker already saying so is kept; 12 counts for profile 1 as well).
void markStoredProfile(MouseSettings& settings, int offset);
// Whether the block's bytes say profile `offset` holds values somebody gave: its marker was
// read from the mouse and says it had its factory choices.
bool profileConfigured(const MouseSettings& settings, int offset);
