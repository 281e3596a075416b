// The tray menu's program links: "Use profile for <program>" with 1, 2, 3 and None, the
// current link checked, and "Linked programs", each link removed when chosen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace link_command {
// kUseProfile + 0 is "None", + 1 to + 3 the profiles.
inline constexpr UINT kUseProfile = 100;
// kRemoveFirst + i removes the ith link listed.
inline constexpr UINT kRemoveFirst = 200;
inline constexpr UINT kRemoveLast = 299;
} // namespace link_command

struct LinkMenuState {
    std::wstring program;   // the program offered; empty when none has been in front yet
    int programProfile = 0; // its link's profile, 0 for none
    std::vector<std::pair<std::wstring, int>> links; // file name and profile, as listed
};

// Appends the two entries and their sub-menus.
void appendLinkEntries(HMENU menu, const LinkMenuState& state);

// What a picked command asks: a program and its new profile (0: no link); none for a command
// that is not a link's.
std::optional<std::pair<std::wstring, int>> linkChoiceOf(UINT command, const LinkMenuState& state);
