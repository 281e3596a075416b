// Which program a window belongs to, as a link names it: the file name of its image,
// compared without regard to case, and which programs are never linked.
#pragma once

#include <string>

// The file name of an image path ("C:\Games\Game.exe" → "game.exe"), lower-cased; empty for
// an empty path or one that ends in a separator.
std::wstring programFileName(const std::wstring& imagePath);

// The same file name, lower-cased, for comparing a link's name with a program's.
std::wstring foldedName(const std::wstring& name);

// Whether a program of that file name can be linked and counts as leaving a linked program
// when it comes to the front: not the shell (desktop, taskbar, Start, search), not the
// companion, not the configuration program, not a window without an image (empty name).
bool isLinkableProgram(const std::wstring& fileName);
