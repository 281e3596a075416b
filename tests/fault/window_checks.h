// What a window that met a fault must still do: paint both of its pages and every control on
// them, and answer the device watch.
#pragma once

#include "app/main_dialog.h"

#include <string>

// Switches to the page, paints the background, the labels and every shown control on a canvas
// of the window's size, and returns how many pixels of the label colour the page's first
// heading got. Ends on the Main page.
int paintedHeadingPixels(CPELKOmouseDlg& dialog, layout::Page page);

// Runs one tick of the device watch, answering a lost-mouse box if one comes; returns the
// box's text (empty when none came) and swallows the quit the box posts.
std::wstring watchTick(CPELKOmouseDlg& dialog);
