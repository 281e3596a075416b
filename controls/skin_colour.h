// Colour strings of the skin library: text "RGB(r,g,b)" read from its string table.
#pragma once

#include <windows.h>

// The two layouts the program reads: zero-padded components and plain ones.
inline constexpr const wchar_t* kPaddedColourFormat = L"RGB(%03d,%03d,%03d)";
inline constexpr const wchar_t* kPlainColourFormat = L"RGB(%d,%d,%d)";

// Parses text with format (three %d conversions) into red | green << 8 | blue << 16.
// The whole text must match the format and every component must lie in 0..255; otherwise
// colour is left as it was and the result is false.
bool ParseSkinColour(const wchar_t* text, const wchar_t* format, COLORREF& colour);

// Loads string id from the skin module and parses it as above. A missing string, a string
// that does not parse, or no module leaves colour unchanged and returns false.
bool LoadSkinColour(HMODULE skin, UINT id, const wchar_t* format, COLORREF& colour);
