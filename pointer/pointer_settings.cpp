#include "pointer/pointer_settings.h"

#include <array>
#include <climits> // WHEEL_PAGESCROLL

namespace {

using MouseArray = std::array<int, 3>; // first threshold, second threshold, acceleration

constexpr MouseArray kAccelerationOn = {6, 10, 1};
constexpr MouseArray kAccelerationOff = {0, 0, 0};
constexpr int32_t kOnePageFlag = 0x80;
constexpr UINT kMostWheelLines = 100;
constexpr int32_t kSlowestSpeed = 1;
constexpr int32_t kFastestSpeed = 20;
constexpr UINT kStoreAndAnnounce = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

SystemParametersInfoFunction parametersInfo = ::SystemParametersInfoW;

BOOL systemParameters(UINT action, UINT param, PVOID data, UINT winIni) {
    return parametersInfo(action, param, data, winIni);
}

// A slider value as a whole setting: truncated, but anything above the threshold counts as the top.
int32_t wholeSetting(float value, float topThreshold, int32_t top) {
    return value > topThreshold ? top : int32_t(value);
}

SettingOutcome outcomeOf(BOOL taken) {
    return taken ? SettingOutcome::Applied : SettingOutcome::Refused;
}

BOOL setAcceleration(bool on) {
    MouseArray mouse = on ? kAccelerationOn : kAccelerationOff;
    return systemParameters(SPI_SETMOUSE, 0, mouse.data(), 0);
}

// The slider's speed as Windows takes it; the speed travels in the pointer argument itself.
BOOL setSpeed(float sensitivity) {
    const int32_t speed = wholeSetting(sensitivity, 19.8f, kFastestSpeed);
    return systemParameters(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(intptr_t(speed)), 0);
}

BOOL setWheelLines(UINT lines) {
    return systemParameters(SPI_SETWHEELSCROLLLINES, lines, nullptr, kStoreAndAnnounce);
}

// A carried wheel that the controls show: page scrolling, or lines the slider holds.
bool wheelShown(const WheelValue& wheel) {
    return wheel.onePage || (wheel.lines >= 1.0f && wheel.lines <= float(kMostWheelLines));
}

// Lines as the wheel slider shows them: page scrolling as 1, counts beyond the slider at its ends.
float wheelSliderValue(UINT lines) {
    if (lines == WHEEL_PAGESCROLL || lines == 0) return 1.0f;
    return lines > 98 ? float(kMostWheelLines) : float(lines);
}

} // namespace

int32_t wheelLinesOfSlider(float wheel) {
    return wholeSetting(wheel, 98.0f, int32_t(kMostWheelLines));
}

void installSystemParametersInfo(SystemParametersInfoFunction function) {
    parametersInfo = function ? function : ::SystemParametersInfoW;
}

AppliedPointerValues applyPointerSettings(const PointerControls& controls) {
    AppliedPointerValues applied;
    MouseArray mouse{};
    systemParameters(SPI_GETMOUSE, 0, mouse.data(), 0);
    applied.acceleration = controls.accelerationOn ? 1 : 0;
    setAcceleration(controls.accelerationOn);
    setSpeed(controls.sensitivity);

    applied.wheelLines = wheelLinesOfSlider(controls.wheel);
    applied.onePage = controls.onePage ? kOnePageFlag : 0;
    const UINT lines = controls.onePage ? WHEEL_PAGESCROLL : UINT(applied.wheelLines);
    applied.result = setWheelLines(lines);
    return applied;
}

CarriedSettingsOutcome applyCarriedPointerSettings(const CarriedPointerSettings& carried) {
    CarriedSettingsOutcome outcome;
    if (carried.accelerationOn)
        outcome.acceleration = outcomeOf(setAcceleration(*carried.accelerationOn));
    if (carried.speed && *carried.speed >= float(kSlowestSpeed) &&
        *carried.speed <= float(kFastestSpeed))
        outcome.speed = outcomeOf(setSpeed(*carried.speed));
    if (carried.wheel && wheelShown(*carried.wheel))
        outcome.wheel = outcomeOf(
            setWheelLines(carried.wheel->onePage ? WHEEL_PAGESCROLL : UINT(carried.wheel->lines)));
    return outcome;
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
