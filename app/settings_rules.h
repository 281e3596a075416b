// How profile values and the controls' choices map onto each other: CPI codes and list
// entries, report-rate codes and buttons, the decoding of a profile from the block bytes or
// from the mirror, and the factory choices of the three profiles.
#pragma once

#include "device/mouse_settings.h"
#include "device/profile_markers.h"
#include "pointer/carried_pointer_settings.h"

#include <optional>

// List entry 0..3 → CPI code 8, 16, 32, 64; any other entry (the empty fifth gives 4) is kept.
int cpiCodeOfEntry(int entry);
// CPI code 0 or 8 → entry 0, 16 → 1, 32 → 2, 64 → 3; none for any other code.
std::optional<int> cpiEntryOfCode(int code);

enum class Rate { Hz125, Hz500, Hz1000 };
// Report-rate code 1 → 1000 Hz, 2 → 500 Hz, 0 or 8 → 125 Hz; none for any other code.
std::optional<Rate> rateOfCode(int code);
int codeOfRate(Rate rate);

// What showing a profile puts into the controls. An empty CPI entry leaves its list alone; an
// empty rate or swap checks no button of its group, so that the profile keeps its byte; an empty
// wheel or speed shows what Windows holds.
struct ProfileView {
    std::optional<int> cpi1Entry, cpi2Entry;
    std::optional<Rate> rate;
    std::optional<bool> swapOn;
    bool accelerationOn = false;
    std::optional<float> wheel;
    bool onePage = false; // with wheel
    std::optional<float> speed;
};

// From the profile's bytes as the device holds them; codes that match no rule stay empty. The
// pointer settings as carriedPointerSettings decodes them, except that an acceleration byte
// other than 0 and 1 shows "Disable".
ProfileView viewFromBlock(const ProfileSettings& profile);
// From the mirror entry of profile index 0..2; CPI codes that match no rule fall back to the
// profile's factory choice, other codes stay empty.
ProfileView viewFromMirror(const ProfileMirrorEntry& entry, int profileIndex);

// The mirror entry of one profile's bytes (sign-extended, the speed as a float).
ProfileMirrorEntry mirrorOf(const ProfileSettings& profile);

// The factory choices of one profile, and the marker that records them.
struct FactoryChoice {
    int offset;
    int cpi1Entry, cpi2Entry;
    Rate rate;
    bool swapOn;
};
// The row of a profile offset (0, 11 or 22), or null.
const FactoryChoice* factoryChoiceOf(int offset);
