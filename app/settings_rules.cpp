#include "app/settings_rules.h"

namespace {

constexpr int kCpiCodes[] = {8, 16, 32, 64};
constexpr int kWheelPageFlag = 128;

// clang-format off
constexpr FactoryChoice kFactoryChoices[] = {
    {0,  0, 1, Rate::Hz500,  false},
    {11, 0, 3, Rate::Hz1000, false},
    {22, 0, 1, Rate::Hz500,  true},
};
// clang-format on

std::optional<float> speedOf(float value) {
    if (value == 0.0f) return std::nullopt;
    return snappedSpeed(value);
}

std::optional<bool> swapOfCode(int code) {
    if (code == 0) return false;
    if (code == 1) return true;
    return std::nullopt;
}

} // namespace

int cpiCodeOfEntry(int entry) {
    return entry >= 0 && entry < 4 ? kCpiCodes[entry] : entry;
}

std::optional<int> cpiEntryOfCode(int code) {
    if (code == 0) return 0;
    for (int entry = 0; entry < 4; ++entry)
        if (kCpiCodes[entry] == code) return entry;
    return std::nullopt;
}

std::optional<Rate> rateOfCode(int code) {
    switch (code) {
    case 1:
        return Rate::Hz1000;
    case 2:
        return Rate::Hz500;
    case 0:
    case 8:
        return Rate::Hz125;
    default:
        return std::nullopt;
    }
}

int codeOfRate(Rate rate) {
    switch (rate) {
    case Rate::Hz125:
        return 8;
    case Rate::Hz500:
        return 2;
    case Rate::Hz1000:
        return 1;
    }
    return 8;
}

ProfileView viewFromBlock(const ProfileSettings& profile) {
    ProfileView view;
    view.cpi1Entry = cpiEntryOfCode(profile.cpiCode[0]);
    view.cpi2Entry = cpiEntryOfCode(profile.cpiCode[1]);
    view.rate = rateOfCode(profile.reportRateCode);
    view.swapOn = swapOfCode(profile.buttonSwap);
    const CarriedPointerSettings pointer =
        carriedPointerSettings({profile.pointerSpeed, profile.acceleration, profile.wheelLines});
    view.accelerationOn = pointer.accelerationOn.value_or(false);
    if (pointer.wheel) {
        view.wheel = pointer.wheel->lines;
        view.onePage = pointer.wheel->onePage;
    }
    view.speed = pointer.speed;
    return view;
}

ProfileView viewFromMirror(const ProfileMirrorEntry& entry, int profileIndex) {
    const FactoryChoice& factory = kFactoryChoices[profileIndex];
    ProfileView view;
    view.cpi1Entry = cpiEntryOfCode(entry.cpi1Code).value_or(factory.cpi1Entry);
    view.cpi2Entry = cpiEntryOfCode(entry.cpi2Code).value_or(factory.cpi2Entry);
    view.rate = rateOfCode(entry.reportRateCode);
    view.swapOn = swapOfCode(entry.buttonSwap);
    view.accelerationOn = entry.acceleration == 1;
    const int wheel = entry.wheelValue;
    if (wheel != 0) {
        const bool paged = wheel >= kWheelPageFlag + 1 || wheel < 0;
        view.wheel = float(wheel >= kWheelPageFlag + 1 ? wheel - kWheelPageFlag
                           : wheel < 0                 ? wheel + kWheelPageFlag
                                                       : wheel);
        view.onePage = paged;
    }
    view.speed = speedOf(entry.pointerSpeed);
    return view;
}

ProfileMirrorEntry mirrorOf(const ProfileSettings& profile) {
    return ProfileMirrorEntry{profile.cpiCode[0],          profile.cpiCode[1],
                              profile.reportRateCode,      profile.buttonSwap,
                              float(profile.pointerSpeed), profile.acceleration,
                              profile.wheelLines};
}

const FactoryChoice* factoryChoiceOf(int offset) {
    for (const FactoryChoice& choice : kFactoryChoices)
        if (choice.offset == offset) return &choice;
    return nullptr;
}
