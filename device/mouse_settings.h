// The editable image of the mouse's 130-byte configuration memory, the values taken from the
// window's controls, and the per-profile copy the window shows profiles from.
#pragma once

#include <cstddef>
#include <cstdint>

// The 11-byte record of one profile at address 28 + offset. Signed bytes: a stored 0x80 to
// 0xFF reads as negative wherever a field is compared or widened.
struct ProfileSettings {
    int8_t cpiCode[4]; // stages 1 to 4: CPI 1, CPI 2, CPI 1, CPI 2
    int8_t carried4;
    int8_t reportRateCode; // report interval in ms: 1, 2 or 8
    int8_t buttonSwap;
    int8_t pointerSpeed;
    int8_t acceleration;
    int8_t wheelLines; // 0x80 added for page scrolling
    int8_t carried10;
};
static_assert(sizeof(ProfileSettings) == 11);

inline constexpr int ConfigBlockSize = 130;
inline constexpr int ConfigRecordSize = 5;
inline constexpr int ConfigRecordCount = ConfigBlockSize / ConfigRecordSize;
inline constexpr int ProfileBaseAddress = 28;

struct MouseSettings {
    uint16_t defaultsMarkerA = 0; // address 0
    uint16_t defaultsMarkerB = 0; // address 1
    int8_t fixed2 = 0;
    int8_t carried3 = 0;
    int8_t fixed4 = 0;
    int8_t carried5 = 0;
    int8_t activeProfile = 0; // address 6: profile offset 0, 11 or 22
    int8_t cpiStage = 0;      // address 7: 1 to 4
    int8_t carried8[20] = {};
    ProfileSettings profiles[3] = {};
    int8_t carried61[67] = {};
    // Which of the 26 records the device has answered: a record never read is never written.
    bool recordRead[ConfigRecordCount] = {};
};
static_assert(offsetof(MouseSettings, profiles) == offsetof(MouseSettings, fixed2) + 26);
static_assert(offsetof(MouseSettings, carried61) + 67 == offsetof(MouseSettings, fixed2) + 126);

// The byte of address 0 to 129 as it travels to the device (128 and 129 are always 0).
uint8_t blockByte(const MouseSettings& settings, int address);

// Stores a byte read from the device at its address (128 and 129 are dropped).
void setBlockByte(MouseSettings& settings, int address, uint8_t value);

// The values last taken from the window's controls.
struct PanelValues {
    int32_t cpi1Code = 0;
    int32_t cpi2Code = 0;
    int32_t reportRateCode = 0;
    int32_t buttonSwap = 0;
    float pointerSpeed = 0.0f;
    int32_t acceleration = 0;
    int32_t wheelLines = 0;
    int32_t onePage = 0; // 0x80 when page scrolling is chosen
    // A CPI list without a selection: the profile keeps all its stored codes of that preset
    // (stages 1 and 3, or 2 and 4).
    bool cpi1Kept = false;
    bool cpi2Kept = false;
};

struct ProfileMirrorEntry {
    int32_t cpi1Code = 0;
    int32_t cpi2Code = 0;
    int32_t reportRateCode = 0;
    int32_t buttonSwap = 0;
    float pointerSpeed = 0.0f;
    int32_t acceleration = 0;
    int32_t wheelValue = 0;
};

struct ProfileMirror {
    ProfileMirrorEntry profiles[3];
};

// Whether the device answered every record that holds addresses first to first + count - 1.
bool bytesRead(const MouseSettings& settings, int first, int count);

// Index 0, 1 or 2 of a profile offset 0, 11 or 22; -1 for any other offset.
int profileIndex(int offset);
