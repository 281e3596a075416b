#include "profiles/mouse_profiles.h"

#include "device/config_block.h"
#include "device/profile_markers.h"
#include "pointer/carried_pointer_settings.h"
#include "pointer/pointer_settings.h"

namespace {

constexpr int kMostWheelLines = 100;
constexpr int kSlowestSpeed = 1, kFastestSpeed = 20;
constexpr int32_t kOnePageFlag = 0x80;

int offsetOf(int index) {
    return index * 11;
}

ProfileValues valuesOf(const ProfileSettings& profile) {
    ProfileValues values;
    values.cpi1Code = uint8_t(profile.cpiCode[0]);
    values.cpi2Code = uint8_t(profile.cpiCode[1]);
    values.rateCode = uint8_t(profile.reportRateCode);
    values.swapCode = uint8_t(profile.buttonSwap);
    // Only what the record carries, and only values a control shows.
    if (profile.pointerSpeed >= kSlowestSpeed && profile.pointerSpeed <= kFastestSpeed)
        values.pointerSpeed = profile.pointerSpeed;
    const CarriedPointerSettings carried =
        carriedPointerSettings({profile.pointerSpeed, profile.acceleration, profile.wheelLines});
    values.accelerationOn = carried.accelerationOn;
    if (carried.wheel && carried.wheel->lines >= 1.0f &&
        carried.wheel->lines <= float(kMostWheelLines))
        values.wheel = WheelSetting{int(carried.wheel->lines), carried.wheel->onePage};
    return values;
}

// The controls' values of one profile, as the window would take them after showing the file's
// values: the speed through the slider's detent, the wheel lines as the slider gives them. What
// the file leaves out keeps the mouse's byte.
PanelValues panelOf(const ProfileValues& values, const ProfileSettings& mouse) {
    PanelValues panel;
    panel.cpi1Code = values.cpi1Code;
    panel.cpi2Code = values.cpi2Code;
    panel.reportRateCode = values.rateCode;
    panel.buttonSwap = values.swapCode;
    panel.pointerSpeed =
        values.pointerSpeed ? snappedSpeed(float(*values.pointerSpeed)) : float(mouse.pointerSpeed);
    panel.acceleration =
        values.accelerationOn ? (*values.accelerationOn ? 1 : 0) : int32_t(mouse.acceleration);
    if (values.wheel) {
        panel.wheelLines = wheelLinesOfSlider(float(values.wheel->lines));
        panel.onePage = values.wheel->onePage ? kOnePageFlag : 0;
    } else {
        panel.wheelLines = int32_t(uint8_t(mouse.wheelLines));
    }
    return panel;
}

// The values of a profile the commit's live state carries when the document leaves it as the
// mouse holds it.
PanelValues panelOfMouse(const ProfileSettings& mouse) {
    PanelValues panel;
    panel.reportRateCode = mouse.reportRateCode;
    panel.buttonSwap = mouse.buttonSwap;
    return panel;
}

} // namespace

SavedProfile savedProfileOf(const MouseSettings& settings, int index) {
    SavedProfile saved;
    saved.configured = hadFactoryChoices(settings, offsetOf(index));
    if (saved.configured) saved.values = valuesOf(settings.profiles[index]);
    return saved;
}

PanelValues storeDocumentProfiles(MouseSettings& settings, const ProfilesDocument& document,
                                  int currentProfile) {
    const int current = profileIndex(currentProfile) < 0 ? 0 : profileIndex(currentProfile);
    PanelValues live = panelOfMouse(settings.profiles[current]);
    ProfileMirror unused;
    for (int index = 0; index < kProfileCount; ++index) {
        const std::optional<SavedProfile>& saved = document.profiles[index];
        if (!saved || !saved->configured) continue;
        const PanelValues panel = panelOf(saved->values, settings.profiles[index]);
        storeProfile(settings, unused, panel, offsetOf(index));
        markStoredProfile(settings, offsetOf(index));
        if (index == current) live = panel;
    }
    return live;
}
