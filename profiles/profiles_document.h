// The mouse's three profiles as a profiles file holds them. Values are the bytes the mouse
// stores (CPI, report-rate and swap codes), so that a code no control offers survives the way
// to the file and back; the Windows pointer settings are there only where the profile carries
// them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kProfileCount = 3;

struct WheelSetting {
    int lines = 0; // 1 to 100: the lines the wheel slider shows, also under page scrolling
    bool onePage = false;
};

struct ProfileValues {
    uint8_t cpi1Code = 0; // stages 1 and 3
    uint8_t cpi2Code = 0; // stages 2 and 4
    uint8_t rateCode = 0;
    uint8_t swapCode = 0;
    std::optional<int> pointerSpeed; // 1 to 20
    std::optional<bool> accelerationOn;
    std::optional<WheelSetting> wheel;
};

// A profile the file names: one the user configured, with its values, or one the mouse never
// had configured (its bytes are the factory's, which nobody chose).
struct SavedProfile {
    bool configured = false;
    ProfileValues values; // when configured
};

struct ProfilesDocument {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string mouseName;
    std::string firmware; // "1.2.7"; empty when the mouse gave none
    std::string saved;    // UTC, "2026-12-09T18:30:00Z"
    // Profiles 1 to 3; an empty one is a profile the file does not name.
    std::optional<SavedProfile> profiles[kProfileCount];
};
