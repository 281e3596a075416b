// Moving a profile between the controls and the settings: taking the panel's values, showing
// a profile from the block bytes or the mirror, the factory choices, and the block part of
// the device's start-up.
#include "app/main_dialog.h"

#include "device/config_block.h"
#include "pointer/pointer_settings.h"

namespace {

using namespace layout::id;

constexpr int kProfileButtons[] = {kProfile1, kProfile2, kProfile3};
constexpr int kRateButtons[] = {kRate125, kRate500, kRate1000};
constexpr int kWheelLinesMax = 100;
constexpr float kWheelFullAbove = 98.0f;
constexpr int kOnePageFlag = 0x80;

} // namespace

void CPELKOmouseDlg::collectPanelValues() {
    const int index = profileIndex(currentProfile);
    const ProfileSettings* stored = index < 0 ? nullptr : &settings.profiles[index];
    // A CPI list without a selection keeps the profile's stored codes of its preset.
    auto cpiCode = [&](int listId, int storedStage, int32_t previous, bool& kept) {
        const int entry = list(listId).GetCurSel();
        kept = entry < 0;
        if (!kept) return int32_t(cpiCodeOfEntry(entry));
        return stored ? int32_t(stored->cpiCode[storedStage]) : previous;
    };
    panelValues.cpi1Code = cpiCode(kCpi1List, 0, panelValues.cpi1Code, panelValues.cpi1Kept);
    panelValues.cpi2Code = cpiCode(kCpi2List, 1, panelValues.cpi2Code, panelValues.cpi2Kept);
    // A group with no button checked keeps the profile's byte, which the live state then carries.
    panelValues.reportRateCode = checkedRateCode().value_or(stored ? int32_t(stored->reportRateCode)
                                                                   : panelValues.reportRateCode);
    panelValues.buttonSwap =
        checkedSwap().value_or(stored ? int32_t(stored->buttonSwap) : panelValues.buttonSwap);
    float speed = slider(kSensitivity).GetPos();
    if (inSensitivityDetent(speed)) slider(kSensitivity).SetPos(kSensitivityDetent);
    panelValues.pointerSpeed = speed;
    float wheel = slider(kWheel).GetPos();
    panelValues.wheelLines = wheel > kWheelFullAbove ? kWheelLinesMax : int32_t(wheel);
    panelValues.onePage = button(kOnePage).GetCheck() ? kOnePageFlag : 0;
    panelValues.acceleration = button(kAccelerationOn).GetCheck() ? 1 : 0;
}

std::optional<int32_t> CPELKOmouseDlg::checkedRateCode() {
    for (int i = 0; i < 3; ++i)
        if (button(kRateButtons[i]).GetCheck()) return codeOfRate(Rate(i));
    return std::nullopt;
}

std::optional<int32_t> CPELKOmouseDlg::checkedSwap() {
    if (button(kSwapOff).GetCheck()) return 0;
    if (button(kSwapOn).GetCheck()) return 1;
    return std::nullopt;
}

// Stores the controls into the current profile. From then on the profile holds the user's
// values: its marker says so, and it never receives factory choices again.
void CPELKOmouseDlg::storeCurrentProfile() {
    if (!storeProfile(settings, profileMirror, panelValues, currentProfile)) return;
    markStoredProfile(settings, currentProfile);
    m_profileShown[profileIndex(currentProfile)] = true;
}

void CPELKOmouseDlg::checkProfileButton(int offset) {
    int index = profileIndex(offset);
    button(kProfileButtons[index < 0 ? 0 : index]).SetCheck(1);
}

void CPELKOmouseDlg::showProfile(int offset) {
    int index = profileIndex(offset);
    checkProfileButton(offset);
    if (index < 0 || !viewReady)
        showView(viewFromBlock(settings.profiles[index < 0 ? 0 : index]));
    else
        showView(viewFromMirror(profileMirror.profiles[index], index));
    m_profileShown[index < 0 ? 0 : index] = true;
    viewReady = true;
}

void CPELKOmouseDlg::showView(const ProfileView& view) {
    if (view.cpi1Entry) list(kCpi1List).SetCurSel(*view.cpi1Entry, 1);
    if (view.cpi2Entry) list(kCpi2List).SetCurSel(*view.cpi2Entry, 1);
    for (int i = 0; i < 3; ++i)
        button(kRateButtons[i]).SetCheck(view.rate && Rate(i) == *view.rate ? 1 : 0);
    button(kSwapOn).SetCheck(view.swapOn && *view.swapOn ? 1 : 0);
    button(kSwapOff).SetCheck(view.swapOn && !*view.swapOn ? 1 : 0);
    button(kAccelerationOn).SetCheck(view.accelerationOn ? 1 : 0);
    button(kAccelerationOff).SetCheck(view.accelerationOn ? 0 : 1);
    // A pointer value the profile does not carry shows what Windows holds: an Apply without an
    // edit then leaves Windows as it is.
    std::optional<PointerReading> windows;
    if (!view.wheel || !view.speed) windows = readPointerSettings();
    if (view.wheel)
        showWheel(*view.wheel, view.onePage);
    else
        showWindowsWheel(*windows);
    if (view.speed)
        slider(kSensitivity).SetPos(*view.speed);
    else if (windows->speed != 0.0f) // 0: Windows could not tell
        showWindowsSpeed(windows->speed);
}

// Windows' speed as the slider shows it: in the middle of the scale it is shown at 10.5 at
// once, where the detent would move the thumb 100 ms after the window showed it.
void CPELKOmouseDlg::showWindowsSpeed(float speed) {
    slider(kSensitivity).SetPos(snappedSpeed(speed));
}

// The slider first: its notification would clear "One Page" again.
void CPELKOmouseDlg::showWheel(float lines, bool onePage) {
    slider(kWheel).SetPos(lines);
    button(kOnePage).SetCheck(onePage ? 1 : 0);
}

void CPELKOmouseDlg::showWindowsWheel(const PointerReading& reading) {
    if (reading.wheel) showWheel(*reading.wheel, reading.checkOnePage);
}

bool CPELKOmouseDlg::applyProfileDefaults(int offset) {
    const FactoryChoice* choice = factoryChoiceOf(offset);
    if (choice && (hadFactoryChoices(settings, offset) || m_profileShown[profileIndex(offset)]))
        return false;
    if (choice) {
        list(kCpi1List).SetCurSel(choice->cpi1Entry, 1);
        list(kCpi2List).SetCurSel(choice->cpi2Entry, 1);
        for (int i = 0; i < 3; ++i)
            button(kRateButtons[i]).SetCheck(Rate(i) == choice->rate ? 1 : 0);
        button(kSwapOn).SetCheck(choice->swapOn ? 1 : 0);
        button(kSwapOff).SetCheck(choice->swapOn ? 0 : 1);
        for (int i = 0; i < 3; ++i)
            button(kProfileButtons[i]).SetCheck(profileIndex(offset) == i ? 1 : 0);
        markFactoryChoices(settings, offset);
        m_profileShown[profileIndex(offset)] = true;
    }
    fillPointerControlsFromWindows();
    return true;
}

void CPELKOmouseDlg::fillPointerControlsFromWindows() {
    PointerReading reading = readPointerSettings();
    showWindowsSpeed(reading.speed);
    showWindowsWheel(reading);
    if (reading.accelerationOn) {
        button(kAccelerationOn).SetCheck(*reading.accelerationOn ? 1 : 0);
        button(kAccelerationOff).SetCheck(*reading.accelerationOn ? 0 : 1);
    }
}

// The block part of the device's start-up; the block itself was read by startUpDevice.
void CPELKOmouseDlg::initialiseProfiles() {
    int active = settings.activeProfile;
    // A profile that had its factory choices already is shown, even on a mouse whose other
    // profiles never had theirs.
    if (settings.defaultsMarkerA != 0xFF || !applyProfileDefaults(active)) showProfile(active);
    currentProfile = active;
    lastSeenProfile = uint8_t(settings.activeProfile);
    for (int i = 0; i < 3; ++i)
        profileMirror.profiles[i] = mirrorOf(settings.profiles[i]);
}
