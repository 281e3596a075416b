// The caption looks of the window's hover buttons, as the layout table names them.
#pragma once

#include "app/window_layout.h"
#include "controls/hover_button.h"

struct CaptionColours {
    COLORREF caption; // skin string 140
    COLORREF accent;  // the pointer is over a bold or link caption
    COLORREF dim;     // an unchecked option
};

// SetTextStyle for the row's style (nothing for rows without one).
void styleButton(CHoverButtonV2& button, const layout::Control& row, const CaptionColours& colours);
