// A mouse's block to a document and a document stored into another block by the window's store
// rules: codes kept exactly, what a profile does not carry left as the receiving mouse has it,
// the markers moved only for the profiles stored.
#include "device/profile_markers.h"
#include "profiles/mouse_profiles.h"
#include "profiles/profiles_json.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ProfileSettings record(std::initializer_list<int> bytes) {
    uint8_t raw[11] = {};
    int i = 0;
    for (int b : bytes)
        raw[i++] = uint8_t(b);
    ProfileSettings profile;
    std::memcpy(&profile, raw, sizeof(profile));
    return profile;
}

std::vector<uint8_t> bytesOf(const ProfileSettings& profile) {
    const auto* raw = reinterpret_cast<const uint8_t*>(&profile);
    return std::vector<uint8_t>(raw, raw + sizeof(profile));
}

} // namespace

TEST(MouseProfiles, ABlockComesBackByteForByteOntoAnotherMouse) {
    MouseSettings saved;
    saved.defaultsMarkerA = 12; // profiles 1 and 2 configured
    saved.defaultsMarkerB = 0xFF;
    // Page scrolling over 3 lines; then codes no control offers and pointer bytes not carried.
    saved.profiles[0] = record({8, 64, 8, 64, 0x44, 2, 1, 7, 0, 0x83, 0x55});
    saved.profiles[1] = record({12, 32, 12, 32, 0x44, 4, 5, 0, 7, 0, 0x55});
    saved.profiles[2] = record({16, 32, 16, 32, 0, 8, 1, 8, 0, 3, 0});

    ProfilesDocument document;
    for (int i = 0; i < kProfileCount; ++i)
        document.profiles[i] = savedProfileOf(saved, i);
    EXPECT_FALSE(document.profiles[2]->configured) << "a never configured profile saved as values";
    const ParsedProfiles parsed = parseProfilesJson(profilesJson([&] {
        ProfilesDocument d = document;
        d.vendorId = 0x2719;
        d.productId = 0x0604;
        return d;
    }()));
    ASSERT_TRUE(parsed.document) << parsed.error;

    MouseSettings other;
    other.defaultsMarkerA = 0xFF;
    other.defaultsMarkerB = 3;
    other.activeProfile = 11;
    other.profiles[0] = record({16, 16, 16, 16, 0x66, 8, 0, 3, 1, 5, 0x77});
    other.profiles[1] = record({16, 16, 16, 16, 0x66, 8, 0, 9, 1, 6, 0x77});
    other.profiles[2] = record({32, 32, 32, 32, 0x66, 1, 0, 9, 1, 6, 0x77});
    const MouseSettings before = other;
    const PanelValues live = storeDocumentProfiles(other, *parsed.document, 11);

    // Profile 1 as saved, its carried-through bytes (+4, +10) as the receiving mouse has them.
    EXPECT_EQ(bytesOf(other.profiles[0]),
              bytesOf(record({8, 64, 8, 64, 0x66, 2, 1, 7, 0, 0x83, 0x77})));
    // Profile 2's codes exactly; its pointer bytes, which it does not carry, as the mouse had them.
    EXPECT_EQ(bytesOf(other.profiles[1]),
              bytesOf(record({12, 32, 12, 32, 0x66, 4, 5, 9, 1, 6, 0x77})));
    EXPECT_EQ(bytesOf(other.profiles[2]), bytesOf(before.profiles[2])) << "profile 3 was written";
    EXPECT_TRUE(hadFactoryChoices(other, 0) && hadFactoryChoices(other, 11));
    EXPECT_EQ(other.defaultsMarkerB, 3);
    EXPECT_EQ(other.activeProfile, 0) << "the store rules set address 6 to 0";
    // The live state carries the current profile's rate and swap codes.
    EXPECT_EQ(live.reportRateCode, 4);
    EXPECT_EQ(live.buttonSwap, 5);
}

// The window's controls decide what an Apply stores: speed 11 sits in the slider's detent and
// is stored as 10, 99 lines are the slider's top.
TEST(MouseProfiles, StoredValuesAreWhatTheWindowsApplyStores) {
    ProfilesDocument document;
    document.profiles[0] = SavedProfile{true, {8, 16, 2, 0, 11, true, WheelSetting{99, false}}};
    document.profiles[2] = SavedProfile{true, {8, 16, 2, 0, 20, true, WheelSetting{1, false}}};
    MouseSettings mouse;
    mouse.defaultsMarkerA = mouse.defaultsMarkerB = 0xFF;
    storeDocumentProfiles(mouse, document, 0);
    EXPECT_EQ(mouse.profiles[0].pointerSpeed, 10);
    EXPECT_EQ(mouse.profiles[0].wheelLines, 100);
    EXPECT_EQ(mouse.profiles[0].acceleration, 1);
    EXPECT_EQ(mouse.profiles[2].pointerSpeed, 20);
    EXPECT_EQ(mouse.profiles[2].wheelLines, 1);
    // Profile 1 stored moves marker A to 10 (profile 2 stays never configured), profile 3 to 3.
    EXPECT_EQ(mouse.defaultsMarkerA, 10);
    EXPECT_EQ(mouse.defaultsMarkerB, 3);
}
