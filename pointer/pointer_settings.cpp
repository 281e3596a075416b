#include "pointer/pointer_settings.h"

#include <array>
#include <climits> // WHEEL_PAGESCROLL

namespace {

using MouseArray = std::array<int, 3>; // first threshold, second threshold, acceleration

constexpr MouseArray kAccelerationOn = {6, 10, 1};
constexpr MouseArray kAccelerationOff = {0, 0, 0};
constexpr int32_t kOnePageFlag = 0x80;
constexpr UINT kMostWheelLines = 100;

SystemParametersInfoFunction parametersInfo = ::SystemParametersInfoW;

BOOL systemParameters(UINT action, UINT param, PVOID data, UINT winIni) {
    return parametersInfo(action, param, data, winIni);
}

// A slider value as a whole setting: truncated, but anything above the threshold counts as the top.
int32_t wholeSetting(float value, float topThreshold, int32_t top) {
    return value > topThreshold ? top : int32_t(value);
}

// Lines as the wheel slider shows them: page scrolling as 1, counts beyond the slider at its ends.
float wheelSliderValue(UINT lines) {
    if (lines == WHEEL_PAGESCROLL || lines == 0) return 1.0f;
    return lines > 98 ? float(kMostWheelLines) : float(lines);
}

} // namespace

void installSystemParametersInfo(SystemParametersInfoFunction function) {
    parametersInfo = function ? function : ::SystemParametersInfoW;
}

AppliedPointerValues applyPointerSettings(const PointerControls& controls) {
    AppliedPointerValues applied;
    MouseArray mouse{};
    systemParameters(SPI_GETMOUSE, 0, mouse.data(), 0);
    mouse = controls.accelerationOn ? kAccelerationOn : kAccelerationOff;
    applied.acceleration = controls.accelerationOn ? 1 : 0;
    systemParameters(SPI_SETMOUSE, 0, mouse.data(), 0);

    // The speed travels in the pointer argument itself.
    const int32_t speed = wholeSetting(controls.sensitivity, 19.8f, 20);
    systemParameters(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(intptr_t(speed)), 0);

    applied.wheelLines = wholeSetting(controls.wheel, 98.0f, int32_t(kMostWheelLines));
    applied.onePage = controls.onePage ? kOnePageFlag : 0;
    const UINT lines = controls.onePage ? WHEEL_PAGESCROLL : UINT(applied.wheelLines);
    applied.result = systemParameters(SPI_SETWHEELSCROLLLINES, lines, nullptr,
                                      SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    return applied;
}

PointerReading readPointerSettings() {
    PointerReading reading;
    int speed = 0;
    systemParameters(SPI_GETMOUSESPEED, 0, &speed, 0);
    reading.speed = float(speed);

    UINT lines = 0;
    if (systemParameters(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        reading.wheel = wheelSliderValue(lines);
        reading.checkOnePage = lines == WHEEL_PAGESCROLL;
    }

    MouseArray mouse{};
    if (systemParameters(SPI_GETMOUSE, 0, mouse.data(), 0)) {
        reading.accelerationOn = mouse == kAccelerationOn;
    }
    return reading;
}
