#include "pointer/carried_pointer_settings.h"

namespace {

constexpr int kPageFlag = 0x80;

} // namespace

bool inSensitivityDetent(float speed) {
    return speed > 9.4f && speed < 11.5f;
}

float snappedSpeed(float speed) {
    return inSensitivityDetent(speed) ? kSensitivityDetent : speed;
}

CarriedPointerSettings carriedPointerSettings(ProfilePointerBytes bytes) {
    CarriedPointerSettings carried;
    if (bytes.speed != 0) carried.speed = snappedSpeed(float(bytes.speed));
    if (bytes.acceleration == 0 || bytes.acceleration == 1)
        carried.accelerationOn = bytes.acceleration == 1;
    // A byte of 0x80 and above reads negative: page scrolling, the lines below the flag.
    if (bytes.wheel != 0) {
        const bool paged = bytes.wheel < 0;
        carried.wheel = WheelValue{float(paged ? bytes.wheel + kPageFlag : bytes.wheel), paged};
    }
    return carried;
}
