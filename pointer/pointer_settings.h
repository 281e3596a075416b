// The Windows pointer settings a profile carries: pointer speed, acceleration and wheel
// scrolling, applied from and read into the values of the window's pointer controls.
#pragma once

#include "pointer/carried_pointer_settings.h"

#include <windows.h>

#include <cstdint>
#include <optional>

// What the window's pointer controls show when the settings are applied.
struct PointerControls {
    bool accelerationOn = false; // "Enable" checked
    float sensitivity = 0.0f;    // sensitivity slider position
    float wheel = 0.0f;          // wheel slider position
    bool onePage = false;        // "One Page" checked
};

// The profile values the apply step fixes, and the result of its last SystemParametersInfoW call.
struct AppliedPointerValues {
    int32_t acceleration = 0; // 1 or 0
    int32_t wheelLines = 0;   // 100 above 98, else the wheel value truncated
    int32_t onePage = 0;      // 0x80 when "One Page" is checked
    BOOL result = FALSE;
};

// The wheel lines a profile stores for a wheel slider position: 100 above 98, else the
// position truncated.
int32_t wheelLinesOfSlider(float wheel);

// Sets acceleration and speed for this session only, and stores and announces the wheel lines.
AppliedPointerValues applyPointerSettings(const PointerControls& controls);

// What became of one setting a profile carries.
enum class SettingOutcome {
    Left, // not carried, or a value no control shows: Windows keeps its own
    Applied,
    Refused, // Windows did not take it
};

struct CarriedSettingsOutcome {
    SettingOutcome acceleration = SettingOutcome::Left;
    SettingOutcome speed = SettingOutcome::Left;
    SettingOutcome wheel = SettingOutcome::Left;
};

// Sets what the profile carries as the window's Apply sets it (acceleration and speed for this
// session, the wheel stored and announced), each setting on its own, so that one Windows
// refuses does not keep the others back. A speed outside 1 to 20, and lines outside 1 to 100
// without page scrolling, are values no control shows: Windows keeps its own.
CarriedSettingsOutcome applyCarriedPointerSettings(const CarriedPointerSettings& carried);

// What Windows holds, as the window's pointer controls would show it.
struct PointerReading {
    float speed = 0.0f;                 // sensitivity slider value (0 after a failed read)
    std::optional<float> wheel;         // wheel slider value; absent when the read failed
    bool checkOnePage = false;          // page scrolling: wheel 1 and "One Page" checked
    std::optional<bool> accelerationOn; // absent when SPI_GETMOUSE failed
};

PointerReading readPointerSettings();

// The SystemParametersInfoW seam: tests install a fake; null puts the system's function back.
using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT action, UINT param, PVOID data,
                                                   UINT winIni);
void installSystemParametersInfo(SystemParametersInfoFunction function);
