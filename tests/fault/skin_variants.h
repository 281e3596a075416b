// Odd copies of the release skin library, written beside the test program under a name an
// interface of the mouse leads to: one image missing, every image of an odd size.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The bitmap ids the release skin holds.
std::vector<WORD> releaseSkinBitmapIds();

// Copies `source` to `target` (both beside the test program) and, when `missing` is not 0,
// removes that bitmap from the copy. False when the copy could not be made.
bool writeSkinWithout(const std::wstring& source, const std::wstring& target, WORD missing);

// Copies the release skin to `target` with every bitmap replaced by one of width × height.
bool writeSkinResized(const std::wstring& target, int width, int height);
