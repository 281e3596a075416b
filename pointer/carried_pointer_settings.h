// The Windows pointer settings a profile record carries, from its plain bytes (speed,
// acceleration, wheel), decoded by the rules the window shows them with. The window puts them
// into its controls; the companion applies them when the mouse's own button selects a profile.
#pragma once

#include <cstdint>
#include <optional>

// Speeds in the middle of the scale snap to 10.5, which Windows receives as 10.
inline constexpr float kSensitivityDetent = 10.5f;
bool inSensitivityDetent(float speed);
// The speed as the sensitivity slider shows it: 10.5 in the middle of the scale.
float snappedSpeed(float speed);

// The three pointer bytes of a profile record, signed as the record is read.
struct ProfilePointerBytes {
    int8_t speed;        // 1 to 20; 0: the profile carries none
    int8_t acceleration; // 1 on, 0 off
    int8_t wheel;        // scroll lines, + 0x80 for page scrolling; 0: the profile carries none
};

struct WheelValue {
    float lines;  // the wheel slider's position
    bool onePage; // "One Page" checked
};

// What the record carries, as the window's pointer controls show it. An empty value is a
// setting the record does not carry: a speed or wheel byte of 0, an acceleration byte other
// than 0 and 1 (the window shows "Disable" for it, which nobody chose).
struct CarriedPointerSettings {
    std::optional<float> speed; // 10.5 in the detent
    std::optional<bool> accelerationOn;
    std::optional<WheelValue> wheel;
};

CarriedPointerSettings carriedPointerSettings(ProfilePointerBytes bytes);
