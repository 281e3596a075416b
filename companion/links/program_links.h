// The program links: a program's file name and the mouse's profile 1, 2 or 3 for it, one
// REG_DWORD per program under HKCU\Software\Glimmerhaus\Pelko\Companion\Programs.
#pragma once

#include <map>
#include <string>

inline constexpr wchar_t kProgramLinksKey[] = L"Software\\Glimmerhaus\\Pelko\\Companion\\Programs";

// File name (lower-cased) → profile 1 to 3.
using ProgramLinks = std::map<std::wstring, int>;

// The stored links. A value that is no REG_DWORD of 1, 2 or 3, or whose name is not a
// program's file name (empty, a path, the shell's or ours), is left out; no key, no links.
ProgramLinks readProgramLinks();

// The profile linked to a program's file name, any case; 0 for none.
int linkedProfile(const ProgramLinks& links, const std::wstring& fileName);

// Links the program to profile 1 to 3, or with 0 removes its link (every value of that name in
// any case); false when the registry refuses it or the name or profile is none.
bool setProgramLink(const std::wstring& fileName, int profile);
