#include "companion/face/link_menu.h"

namespace {

HMENU profileChoices(const LinkMenuState& state) {
    HMENU choices = ::CreatePopupMenu();
    if (!choices) return nullptr;
    const wchar_t* names[] = {L"None", L"1", L"2", L"3"};
    for (UINT profile : {1u, 2u, 3u, 0u})
        ::AppendMenuW(
            choices, MF_STRING | (int(profile) == state.programProfile ? MF_CHECKED : MF_UNCHECKED),
            link_command::kUseProfile + profile, names[profile]);
    return choices;
}

HMENU linkList(const LinkMenuState& state) {
    HMENU list = ::CreatePopupMenu();
    if (!list) return nullptr;
    if (state.links.empty()) ::AppendMenuW(list, MF_STRING | MF_GRAYED, 0, L"None");
    UINT command = link_command::kRemoveFirst;
    for (const auto& [program, profile] : state.links) {
        if (command > link_command::kRemoveLast) break;
        const std::wstring text =
            L"Remove " + program + L" (profile " + std::to_wstring(profile) + L")";
        ::AppendMenuW(list, MF_STRING, command++, text.c_str());
    }
    return list;
}

} // namespace

void appendLinkEntries(HMENU menu, const LinkMenuState& state) {
    if (state.program.empty()) {
        ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"Use profile for (no program yet)");
    } else if (HMENU choices = profileChoices(state)) {
        const std::wstring text = L"Use profile for " + state.program;
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(choices), text.c_str());
    }
    if (HMENU list = linkList(state))
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(list), L"Linked programs");
}

std::optional<std::pair<std::wstring, int>> linkChoiceOf(UINT command, const LinkMenuState& state) {
    if (command >= link_command::kUseProfile && command <= link_command::kUseProfile + 3 &&
        !state.program.empty())
        return std::make_pair(state.program, int(command - link_command::kUseProfile));
    if (command >= link_command::kRemoveFirst && command <= link_command::kRemoveLast &&
        command - link_command::kRemoveFirst < state.links.size())
        return std::make_pair(state.links[command - link_command::kRemoveFirst].first, 0);
    return std::nullopt;
}
