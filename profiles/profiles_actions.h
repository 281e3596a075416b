// Save, show and restore of the mouse's profiles, whole, for both programs that offer them (the
// companion's menu and pelkoctl.exe): each holds the mouse for its whole run and says how it
// ended in one line.
#pragma once

#include "device/mouse_settings.h"
#include "profiles/profiles_document.h"

#include <string>

enum class ProfilesStatus {
    Done,
    BadFile,      // the file could not be read, or failed a check: nothing was sent
    NotSaved,     // the file could not be written
    NoMouse,      // no mouse answered, or it stopped answering before anything was written
    MouseBusy,    // another program kept the mouse
    WindowOpen,   // refused while the configuration window runs
    NotCompleted, // the mouse was lost during the restore's writes
};

struct ProfilesResult {
    ProfilesStatus status = ProfilesStatus::Done;
    std::string message; // UTF-8, one line: what happened, or what is wrong and what to do
};

// The mouse's profiles as a document, saved now. With `refuseWhileWindowRuns` a running
// configuration window refuses it, as it refuses every restore.
ProfilesResult readMouseProfiles(ProfilesDocument& document, bool refuseWhileWindowRuns);
ProfilesResult saveMouseProfiles(const std::wstring& path, bool refuseWhileWindowRuns);

// Where the mouse stands after a restore, for the on-screen display.
struct RestoredState {
    bool written = false; // false when the file named no configured profile
    int profile = 1;      // 1 to 3
    int cpiStage = 1;     // 1 to 4
    ProfileSettings record = {};
};

// The file checked as a whole, then written as the window's Apply of those values writes
// them, under the mouse lock, and read back; then the active profile's carried Windows
// settings are applied. Profiles whose markers move are written first with the markers as the
// mouse held them, and the markers after them, so that a pulled cable never leaves a marker
// claiming a profile whose bytes did not all arrive.
ProfilesResult restoreMouseProfiles(const std::wstring& path, RestoredState* restored);
