// pelkoctl's exit codes: one per way a command can end, so that a script can tell them apart.
#pragma once

#include "profiles/profiles_actions.h"

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitBadFile = 3;
inline constexpr int kExitNotSaved = 4;
inline constexpr int kExitNoMouse = 5;
inline constexpr int kExitMouseBusy = 6;
inline constexpr int kExitWindowOpen = 7;
inline constexpr int kExitNotCompleted = 8;

inline int exitCodeOf(ProfilesStatus status) {
    switch (status) {
    case ProfilesStatus::Done:
        return kExitDone;
    case ProfilesStatus::BadFile:
        return kExitBadFile;
    case ProfilesStatus::NotSaved:
        return kExitNotSaved;
    case ProfilesStatus::NoMouse:
        return kExitNoMouse;
    case ProfilesStatus::MouseBusy:
        return kExitMouseBusy;
    case ProfilesStatus::WindowOpen:
        return kExitWindowOpen;
    case ProfilesStatus::NotCompleted:
        return kExitNotCompleted;
    }
    return kExitNotCompleted;
}
