// How the on-screen display looks: the configuration window's skin on a small panel. Its
// images and colours come from the skin library where they fit, with the window's own
// graphite and accent orange where the skin has none.
#pragma once

#include "framework/bitmap.h"

#include <windows.h>

#include <string>

// The window's accent orange, of its active and hover states.
inline constexpr COLORREF kDisplayAccent = RGB(236, 115, 35);
// Pixels of this colour are holes in the panel (the skin's colour key).
inline constexpr COLORREF kDisplayColourKey = RGB(255, 0, 255);

struct DisplayLook {
    // The skin's push-button face, stretched around its border to the panel's size: graphite
    // with the window's edges and its colour-keyed corners. Empty: a plain graphite panel.
    CBitmap panel;
    COLORREF text = RGB(255, 255, 255); // the skin's caption colour
};

// Takes the panel image and the caption colour from the skin (null: the plain look). What
// the skin lacks, or holds malformed, keeps the plain look's part.
void loadDisplayLook(DisplayLook& look, HMODULE skin);

// The panel's size for a text in the display's font.
SIZE displaySize(HDC dc, HFONT font, const std::wstring& text);
// Paints the whole panel of `size` into dc: the panel, the program's mark (may be null), the
// text and the accent rule under it.
void paintDisplay(HDC dc, SIZE size, const DisplayLook& look, HICON mark, HFONT font,
                  const std::wstring& text);
