// Moving a profile between the controls and the settings: taking the panel's values, showing
// a profile from the block bytes or the mirror, the factory choices, and the block part of
// the device's start-up.
#include "app/main_dialog.h"

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
    int index = profileIndex(currentProfile);
    auto cpiCode = [&](int listId, int storedStage, int32_t previous) {
        int entry = list(listId).GetCurSel();
        // A list without a selection keeps the profile's stored code.
        if (entry < 0)
            return index < 0 ? previous : int32_t(settings.profiles[index].cpiCode[storedStage]);
        return int32_t(cpiCodeOfEntry(entry));
    };
    panelValues.cpi1Code = cpiCode(kCpi1List, 0, panelValues.cpi1Code);
    panelValues.cpi2Code = cpiCode(kCpi2List, 1, panelValues.cpi2Code);
    for (int i = 0; i < 3; ++i) {
        if (button(kRateButtons[i]).GetCheck()) {
            panelValues.reportRateCode = codeOfRate(Rate(i));
            break;
        }
    }
    panelValues.buttonSwap = button(kSwapOff).GetCheck() ? 0 : 1;
    float speed = slider(kSensitivity).GetPos();
    if (inSensitivityDetent(speed)) slider(kSensitivity).SetPos(kSensitivityDetent);
    panelValues.pointerSpeed = speed;
    float wheel = slider(kWheel).GetPos();
    panelValues.wheelLines = wheel > kWheelFullAbove ? kWheelLinesMax : int32_t(wheel);
    panelValues.onePage = button(kOnePage).GetCheck() ? kOnePageFlag : 0;
    panelValues.acceleration = button(kAccelerationOn).GetCheck() ? 1 : 0;
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
    viewReady = true;
}

void CPELKOmouseDlg::showView(const ProfileView& view) {
    if (view.cpi1Entry) list(kCpi1List).SetCurSel(*view.cpi1Entry, 1);
    if (view.cpi2Entry) list(kCpi2List).SetCurSel(*view.cpi2Entry, 1);
    if (view.rate)
        for (int i = 0; i < 3; ++i)
            button(kRateButtons[i]).SetCheck(Rate(i) == *view.rate ? 1 : 0);
    if (view.swapOn) {
        button(kSwapOn).SetCheck(*view.swapOn ? 1 : 0);
        button(kSwapOff).SetCheck(*view.swapOn ? 0 : 1);
    }
    button(kAccelerationOn).SetCheck(view.accelerationOn ? 1 : 0);
    button(kAccelerationOff).SetCheck(view.accelerationOn ? 0 : 1);
    // The slider first: its notification would clear "One Page" again.
    if (view.wheel) {
        slider(kWheel).SetPos(*view.wheel);
        button(kOnePage).SetCheck(view.onePage ? 1 : 0);
    }
    if (view.speed) slider(kSensitivity).SetPos(*view.speed);
}

bool CPELKOmouseDlg::applyProfileDefaults(int offset) {
    const FactoryChoice* choice = factoryChoiceOf(offset);
    if (choice && hadFactoryChoices(settings, offset)) return false;
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
    }
    fillPointerControlsFromWindows();
    return true;
}

void CPELKOmouseDlg::fillPointerControlsFromWindows() {
    PointerReading reading = readPointerSettings();
    slider(kSensitivity).SetPos(reading.speed);
    if (reading.wheel) {
        slider(kWheel).SetPos(*reading.wheel);
        if (reading.checkOnePage) button(kOnePage).SetCheck(1);
    }
    if (reading.accelerationOn) {
        button(kAccelerationOn).SetCheck(*reading.accelerationOn ? 1 : 0);
        button(kAccelerationOff).SetCheck(*reading.accelerationOn ? 0 : 1);
    }
}

// The block part of the device's start-up; the block itself was read by startUpDevice.
void CPELKOmouseDlg::initialiseProfiles() {
    int active = settings.activeProfile;
    if (settings.defaultsMarkerA == 0xFF)
        applyProfileDefaults(active);
    else
        showProfile(active);
    currentProfile = active;
    lastSeenProfile = uint8_t(settings.activeProfile);
    for (int i = 0; i < 3; ++i)
        profileMirror.profiles[i] = mirrorOf(settings.profiles[i]);
}
