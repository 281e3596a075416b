// The profiles of a block the mouse gave, and a document's profiles stored into a block by the
// window's store rules (device/config_block.h, device/profile_markers.h): what an Apply of
// those values in the window writes.
#pragma once

#include "device/mouse_settings.h"
#include "profiles/profiles_document.h"

// The profile at index 0 to 2 as a document names it: never configured when its marker says
// so, else its codes and the pointer settings it carries in the ranges the controls show.
SavedProfile savedProfileOf(const MouseSettings& settings, int index);

// Stores every configured profile the document names into `settings` as the window stores the
// controls' values (the profile's marker moves; address 6 becomes 0, which the commit's profile
// select sets again). A pointer setting the profile does not carry keeps the mouse's byte, and
// profiles the document does not name, or names as never configured, keep all their bytes.
// Returns the values the commit's live state carries for the profile at `currentProfile`.
PanelValues storeDocumentProfiles(MouseSettings& settings, const ProfilesDocument& document,
                                  int currentProfile);
