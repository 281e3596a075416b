// Decoding a profile for the controls, the factory choices and their markers, and taking the
// panel's values back from the controls.
#include "app/settings_rules.h"
#include "device/config_block.h"
#include "tests/app/app_fixture.h"

#include <algorithm>
#include <iterator>

namespace {

using namespace layout::id;

ProfileSettings profileWith(int8_t wheel, int8_t speed) {
    ProfileSettings p = {};
    p.cpiCode[0] = 64;
    p.cpiCode[1] = 5; // no list entry
    p.reportRateCode = 4;
    p.buttonSwap = 7;
    p.wheelLines = wheel;
    p.pointerSpeed = speed;
    return p;
}

} // namespace

TEST(SettingsRules, BlockBytesDecodeWheelAndSpeedAndLeaveUnknownCodesAlone) {
    struct Case {
        int8_t wheel, speed;
        std::optional<float> shownWheel;
        bool onePage;
        std::optional<float> shownSpeed;
    };
    const Case cases[] = {
        {int8_t(0x85), 10, 5.0f, true, 10.5f},        {0x05, 11, 5.0f, false, 10.5f},
        {0x00, 0, std::nullopt, false, std::nullopt}, {100, 12, 100.0f, false, 12.0f},
        {int8_t(0xE4), 9, 100.0f, true, 9.0f}, // 100 lines + page flag
    };
    for (const Case& c : cases) {
        ProfileView view = viewFromBlock(profileWith(c.wheel, c.speed));
        EXPECT_EQ(view.wheel, c.shownWheel) << int(c.wheel);
        EXPECT_EQ(view.onePage, c.onePage) << int(c.wheel);
        EXPECT_EQ(view.speed, c.shownSpeed) << int(c.speed);
        EXPECT_EQ(view.cpi1Entry, 3);
        EXPECT_FALSE(view.cpi2Entry || view.rate || view.swapOn);
    }
}

TEST(SettingsRules, MirrorCpiCodesThatMatchNothingFallBackToTheFactoryChoiceOtherCodesStayEmpty) {
    const ProfileMirrorEntry odd = {5, 6, 7, 9, 0.0f, 0, 0};
    const int expectedCpi2[] = {1, 3, 1};
    for (int profile = 0; profile < 3; ++profile) {
        ProfileView view = viewFromMirror(odd, profile);
        EXPECT_EQ(view.cpi1Entry, 0) << profile;
        EXPECT_EQ(view.cpi2Entry, expectedCpi2[profile]) << profile;
        // No rate or swap button checked: the profile keeps its bytes.
        EXPECT_FALSE(view.rate || view.swapOn || view.speed || view.wheel) << profile;
    }
    ProfileView paged = viewFromMirror({16, 32, 1, 1, 10.0f, 1, 133}, 0);
    EXPECT_EQ(paged.wheel, 5.0f);
    EXPECT_TRUE(paged.onePage);
    EXPECT_EQ(paged.speed, 10.5f);
    EXPECT_EQ(viewFromMirror({0, 0, 0, 0, 0.0f, 0, -28}, 0).wheel, 100.0f);
}

TEST_F(AppTest, FactoryChoicesMoveTheMarkersOnceForEachProfile) {
    CPELKOmouseDlg& d = build(); // never configured, profile 1 active
    EXPECT_EQ(d.settings.defaultsMarkerA, 10);
    EXPECT_TRUE(d.applyProfileDefaults(11));
    EXPECT_EQ(d.settings.defaultsMarkerA, 12);
    EXPECT_EQ(d.list(kCpi2List).GetCurSel(), 3);
    EXPECT_EQ(d.button(kRate1000).GetCheck(), 1);
    EXPECT_EQ(d.button(kProfile2).GetCheck(), 1);
    EXPECT_EQ(d.button(kProfile1).GetCheck(), 0);
    EXPECT_FALSE(d.applyProfileDefaults(0)); // 12 counts for profile 1 too
    EXPECT_FALSE(d.applyProfileDefaults(11));
    EXPECT_TRUE(d.applyProfileDefaults(22));
    EXPECT_EQ(d.settings.defaultsMarkerB, 3);
    EXPECT_EQ(d.button(kSwapOn).GetCheck(), 1);
    EXPECT_FALSE(d.applyProfileDefaults(22));
}

TEST_F(AppTest, EditsOfAProfileNoMarkerCoveredOutliveAVisitElsewhereAndTheSession) {
    bus->firmware.memory[0] = 10; // profile 1 had its factory choices, profile 3 never did
    bus->firmware.memory[6] = 22;
    build().list(kCpi1List).SetCurSel(3, 1); // profile 3 shown from its bytes; 3200 chosen
    dialog->SendMessage(WM_COMMAND, kProfile1);
    dialog->SendMessage(WM_COMMAND, kProfile3);
    EXPECT_EQ(dialog->list(kCpi1List).GetCurSel(), 3);
    EXPECT_EQ(dialog->settings.defaultsMarkerB, 3); // set when profile 3 was first stored
    dialog->SendMessage(WM_COMMAND, kApply);

    const SimMemory applied = bus->firmware.memory;
    resetBus();
    bus->firmware.memory = applied;
    bus->firmware.memory[6] = 0;
    build().SendMessage(WM_COMMAND, kProfile3);
    EXPECT_EQ(dialog->list(kCpi1List).GetCurSel(), 3);
}

TEST_F(AppTest, AProfileShownAtStartUpIsShownFromItsBytesAndNeverGetsFactoryChoices) {
    struct Start {
        uint8_t markerA, markerB, active;
        int button; // the profile shown
        int cpi1;   // its CPI 1 entry from the block
    };
    // Profile 3 had its factory choices on a mouse whose profile 1 never did; a marker of no
    // meaning and no profile active: profile 1 is shown (its CPI 1 set to 3200 here).
    for (const Start& s : {Start{0xFF, 3, 22, kProfile3, 1}, Start{0, 0xFF, 5, kProfile1, 3}}) {
        resetBus();
        SimMemory& memory = bus->firmware.memory;
        memory[0] = s.markerA;
        memory[1] = s.markerB;
        memory[6] = s.active;
        memory[28] = memory[30] = 64;
        CPELKOmouseDlg& d = build();
        EXPECT_EQ(d.list(kCpi1List).GetCurSel(), s.cpi1) << int(s.active);
        d.SendMessage(WM_COMMAND, WPARAM(s.button));
        EXPECT_EQ(d.list(kCpi1List).GetCurSel(), s.cpi1) << int(s.active);
    }
}

TEST_F(AppTest, PanelValuesComeFromTheControls) {
    CPELKOmouseDlg& d = build();       // profile 1: 400/800, 500 Hz, swap off
    d.list(kCpi1List).SetCurSel(4, 1); // the empty fifth entry
    d.slider(kSensitivity).SetPos(10.0f);
    d.slider(kWheel).SetPos(99.0f);
    d.button(kOnePage).SetCheck(1);
    d.button(kRate500).SetCheck(0);
    d.button(kRate1000).SetCheck(1);
    d.collectPanelValues();
    const PanelValues& p = d.panelValues;
    EXPECT_EQ(p.cpi1Code, 4);
    EXPECT_EQ(p.cpi2Code, 16);
    EXPECT_EQ(p.reportRateCode, 1);
    EXPECT_EQ(p.buttonSwap, 0);             // swap off
    EXPECT_FLOAT_EQ(p.pointerSpeed, 10.0f); // the value read before the move to 10.5
    EXPECT_FLOAT_EQ(d.slider(kSensitivity).GetPos(), 10.5f);
    EXPECT_EQ(p.wheelLines, 100);
    EXPECT_EQ(p.onePage, 0x80);

    // No rate checked keeps the profile's rate byte (500 Hz); 10.5 is stored as 10.
    d.button(kRate1000).SetCheck(0);
    d.collectPanelValues();
    EXPECT_EQ(d.panelValues.reportRateCode, 2);
    ASSERT_TRUE(storeProfile(d.settings, d.profileMirror, d.panelValues, 0));
    EXPECT_EQ(d.settings.profiles[0].pointerSpeed, 10);
    EXPECT_EQ(d.settings.profiles[0].cpiCode[0], 4);
}

// Bytes of a configured mouse's profile 1 that no control shows: CPI codes of no list entry,
// report rate 4, swap 5, no speed and no wheel value. Apply without an edit keeps them all,
// sends the rate and swap the profile holds, and leaves Windows' pointer settings as they were.
TEST_F(AppTest, ApplyKeepsTheBytesNoControlShowsAndLeavesWindowsAsItWas) {
    SimMemory& memory = bus->firmware.memory;
    memory[0] = 12;
    memory[1] = 3;
    const uint8_t odd[] = {0x51, 0x52, 0x53, 0x54, 0x30 + 32, 4, 5, 0, 1, 0}; // from address 28
    std::copy(std::begin(odd), std::end(odd), memory.begin() + 28);
    windows.speed = 14;
    windows.wheelLines = 3;
    CPELKOmouseDlg& d = build();
    auto expectKept = [&](const char* when) {
        const auto sent = exchangesSince(0);
        ASSERT_GE(sent.size(), 2u) << when;
        for (const WireExchange& live : {sent[sent.size() - 2], sent.back()}) {
            EXPECT_EQ(live.command, '!') << when;
            EXPECT_EQ(live.payload[1], 4) << when;
            EXPECT_EQ(live.payload[2], 5) << when;
        }
        for (int i : {0, 1, 2, 3, 4, 5, 6, 8})
            EXPECT_EQ(memory[size_t(28 + i)], odd[i]) << when << ": +" << i;
        EXPECT_EQ(memory[35], 14) << when << ": the speed Windows had";
        EXPECT_EQ(memory[37], 3) << when << ": the wheel lines Windows had";
        EXPECT_EQ(windows.speed, 14) << when;
        EXPECT_EQ(windows.wheelLines, 3u) << when;
    };
    d.SendMessage(WM_COMMAND, kApply);
    expectKept("Apply");
    // Shown again from the mirror after a visit to profile 2: still no rate or swap checked.
    d.SendMessage(WM_COMMAND, kProfile2);
    d.SendMessage(WM_COMMAND, kProfile1);
    for (int id : {kRate125, kRate500, kRate1000, kSwapOn, kSwapOff})
        EXPECT_EQ(d.button(id).GetCheck(), 0) << id;
    d.SendMessage(WM_COMMAND, kApply);
    EXPECT_EQ(memory[33], 4);
    EXPECT_EQ(memory[34], 5);
}
