// A stand-in for the companion program's window (class "Joyvane_Clock", title "Joyvane
// Clock"): it records the code of every WM_USER + code it is sent and whether the main window
// was shown at that moment.
#pragma once

#include <windows.h>

#include <vector>

extern std::vector<UINT> companionHeard;
extern std::vector<bool> mainWindowShownWhenHeard;

// Creates the window on the calling thread (whose messages then reach it only when that
// thread looks at them).
HWND createCompanion();
