// The words of the companion's face: its tray icon's tooltip and its on-screen display.
#pragma once

#include <string>

// Where the mouse stands, as the face shows it.
struct MouseView {
    int profile = 1; // 1 to 3
    int stage = 1;   // the CPI stage, 1 to 4
    int cpi = 0;     // the stage's resolution; 0 when its code names none
};

// "Profile 2 · 800 CPI", after the profile button; "Profile 2" without a known CPI.
std::wstring profileDisplayText(const MouseView& view);
// "Profile 2 · 800 CPI · game.exe", after a program link's switch (no program: as the button's).
std::wstring switchDisplayText(const MouseView& view, const std::wstring& program);
// "800 CPI", after the CPI button; "CPI stage 3" without a known CPI.
std::wstring stageDisplayText(const MouseView& view);
// "Glimmerhaus Pelko: profile 2, 800 CPI" ("Glimmerhaus Pelko: profile 2" without a known CPI).
std::wstring trayTipText(const MouseView& view);
// "Glimmerhaus Pelko: no mouse".
std::wstring trayTipNoMouse();
