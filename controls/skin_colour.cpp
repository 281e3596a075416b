#include "controls/skin_colour.h"

#include <cwchar>
#include <string>

bool ParseSkinColour(const wchar_t* text, const wchar_t* format, COLORREF& colour) {
    if (text == nullptr || format == nullptr) return false;
    // %n after the format records how far the match got; it stays -1 unless the closing
    // literal matched too, so "RGB(1,2,3" is refused.
    std::wstring matched = std::wstring(format) + L"%n";
    int red = -1, green = -1, blue = -1, end = -1;
    if (std::swscanf(text, matched.c_str(), &red, &green, &blue, &end) != 3 || end < 0)
        return false;
    if (text[end] != L'\0') return false;
    for (int component : {red, green, blue})
        if (component < 0 || component > 255) return false;
    colour = RGB(red, green, blue);
    return true;
}

bool LoadSkinColour(HMODULE skin, UINT id, const wchar_t* format, COLORREF& colour) {
    if (skin == nullptr) return false;
    // Colour strings are short: a longer text is cut here and then fails to match.
    wchar_t text[64] = {};
    if (LoadStringW(skin, id, text, static_cast<int>(std::size(text))) <= 0) return false;
    return ParseSkinColour(text, format, colour);
}
