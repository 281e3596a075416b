// Building the main window over the simulated mouse: what goes over the wire, what the
// controls show for the memory the mouse holds, and the window made from the control table.
#include "tests/app/app_fixture.h"

#include "controls/skin_image.h"
#include "device/feature_report.h"
#include "framework/gdi_object.h"

#include <array>

namespace {

using namespace layout::id;

struct Expected {
    uint8_t command;
    std::array<uint8_t, 6> payload;
};

// The start-up requests as the mouse's protocol lays them out, written out by hand.
std::vector<Expected> expectedStartUp() {
    std::vector<Expected> requests;
    const auto& u = UnlockSequence;
    for (int step = 0; step < 5; ++step) {
        std::array<uint8_t, 6> chunk{};
        for (int i = 0; i < 6; ++i)
            chunk[size_t(i)] = u[size_t(step * 6 + i)];
        requests.push_back({uint8_t(step + 1), chunk});
    }
    requests.push_back({6, {u[30], u[31], 0, 0, 0, 0}});
    for (int chunk = 0; chunk < 9; ++chunk)
        requests.push_back({uint8_t(0x10 + chunk), {}});
    requests.push_back({0x22, {}});
    for (int address = 0; address < 130; address += 5)
        requests.push_back({'D', {uint8_t(address), 0, 0, 0, 0, 0}});
    return requests;
}

// Profile 2 (address 39 on) of a configured mouse, with the markers of a configured one.
void configure(SimFirmware& firmware) {
    auto& m = firmware.memory;
    m[0] = 12;
    m[1] = 3;
    m[6] = 11;
    const uint8_t profile2[] = {32, 8, 32, 8, 0x77, 1, 1, 7, 1, 0x85};
    for (int i = 0; i < 10; ++i)
        if (i != 4) m[size_t(39 + i)] = profile2[i];
}

struct ProfileShown {
    int cpi1, cpi2;
    int checkedRate; // id
    bool swapOn, accelerationOn, onePage;
    float sensitivity, wheel;
    int checkedProfile; // id
};

void expectShown(CPELKOmouseDlg& d, const ProfileShown& e) {
    EXPECT_EQ(d.list(kCpi1List).GetCurSel(), e.cpi1);
    EXPECT_EQ(d.list(kCpi2List).GetCurSel(), e.cpi2);
    for (int rate : {kRate125, kRate500, kRate1000})
        EXPECT_EQ(d.button(rate).GetCheck(), rate == e.checkedRate ? 1 : 0) << rate;
    EXPECT_EQ(d.button(kSwapOn).GetCheck(), e.swapOn ? 1 : 0);
    EXPECT_EQ(d.button(kSwapOff).GetCheck(), e.swapOn ? 0 : 1);
    EXPECT_EQ(d.button(kAccelerationOn).GetCheck(), e.accelerationOn ? 1 : 0);
    EXPECT_EQ(d.button(kAccelerationOff).GetCheck(), e.accelerationOn ? 0 : 1);
    EXPECT_EQ(d.button(kOnePage).GetCheck(), e.onePage ? 1 : 0);
    EXPECT_FLOAT_EQ(d.slider(kSensitivity).GetPos(), e.sensitivity);
    EXPECT_FLOAT_EQ(d.slider(kWheel).GetPos(), e.wheel);
    for (int profile : {kProfile1, kProfile2, kProfile3})
        EXPECT_EQ(d.button(profile).GetCheck(), profile == e.checkedProfile ? 1 : 0) << profile;
}

} // namespace

TEST_F(AppTest, BuildingTheWindowSendsExactlyTheStartUpExchanges) {
    configure(bus->firmware);
    const SimMemory before = bus->firmware.memory;
    build();
    const std::vector<Expected> expected = expectedStartUp();
    ASSERT_EQ(bus->wireLog.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const SimReport& request = bus->wireLog[i].request;
        EXPECT_EQ(request[0], 0) << i;
        EXPECT_EQ(request[1], TransportMask) << i;
        EXPECT_EQ(request[2], expected[i].command) << i;
        for (size_t k = 0; k < 6; ++k)
            EXPECT_EQ(request[3 + k], expected[i].payload[k] ^ TransportMask) << i << ":" << k;
    }
    EXPECT_EQ(bus->firmware.memory, before);
    EXPECT_EQ(dialog->firmwareVersion, L" Version 1.2.7 ");
}

TEST_F(AppTest, AConfiguredMouseShowsItsActiveProfileFromTheBlock) {
    configure(bus->firmware);
    windows.speed = 3; // not consulted for a configured mouse
    CPELKOmouseDlg& d = build();
    expectShown(d, {2, 0, kRate1000, true, true, true, 7.0f, 5.0f, kProfile2});
    EXPECT_EQ(d.currentProfile, 11);
    EXPECT_TRUE(d.viewReady);
    EXPECT_EQ(d.profileMirror.profiles[1].wheelValue, int8_t(0x85));
    EXPECT_FLOAT_EQ(d.profileMirror.profiles[1].pointerSpeed, 7.0f);
}

TEST_F(AppTest, ANeverConfiguredMouseGetsTheFactoryChoicesAndTheWindowsPointerValues) {
    bus->firmware.memory[6] = 22; // profile 3: its bytes differ from its factory choices
    windows.speed = 13;
    windows.wheelLines = WHEEL_PAGESCROLL;
    windows.mouse = {6, 10, 1};
    CPELKOmouseDlg& d = build();
    expectShown(d, {0, 1, kRate500, true, true, true, 13.0f, 1.0f, kProfile3});
    EXPECT_EQ(d.settings.defaultsMarkerB, 3);
    EXPECT_EQ(d.settings.defaultsMarkerA, 0xFF);
    EXPECT_EQ(d.currentProfile, 22);
}

// The window's first paint shows the thumb where it stays: a Windows speed in the middle of
// the scale is at 10.5 before the detent's timer could move it.
TEST_F(AppTest, AWindowsSpeedInTheDetentIsShownAt10_5FromTheStart) {
    windows.speed = 10; // a never-configured mouse: factory choices, Windows' pointer values
    EXPECT_FLOAT_EQ(build().slider(kSensitivity).GetPos(), 10.5f);

    resetBus(); // profile 1 shown from its bytes, which carry no speed
    bus->firmware.memory[0] = 12;
    bus->firmware.memory[ProfileBaseAddress + 7] = 0;
    windows.speed = 11;
    EXPECT_FLOAT_EQ(build().slider(kSensitivity).GetPos(), 10.5f);
}

TEST_F(AppTest, AnActiveProfileOtherThanTheThreeShowsNoProfileChoices) {
    // Never configured: no factory choices and no marker moves; the pointer values come in.
    bus->firmware.memory[6] = 5;
    windows.speed = 4;
    windows.mouse = {0, 0, 0};
    CPELKOmouseDlg& d = build();
    EXPECT_EQ(d.list(kCpi1List).GetCurSel(), -1);
    EXPECT_EQ(d.button(kProfile1).GetCheck(), 0);
    EXPECT_EQ(d.settings.defaultsMarkerA, 0xFF);
    EXPECT_EQ(d.settings.defaultsMarkerB, 0xFF);
    EXPECT_FLOAT_EQ(d.slider(kSensitivity).GetPos(), 4.0f);
    EXPECT_EQ(d.button(kAccelerationOff).GetCheck(), 1);
    EXPECT_EQ(d.currentProfile, 5);

    // Configured: profile 1 from its bytes (400/800, 500 Hz, swap off, speed 10 → 10.5).
    resetBus();
    bus->firmware.memory[0] = 12;
    bus->firmware.memory[6] = 5;
    CPELKOmouseDlg& c = build();
    expectShown(c, {0, 1, kRate500, false, true, false, 10.5f, 3.0f, kProfile1});
}

TEST_F(AppTest, EveryControlOfTheTableIsMadeWithItsIdPlaceSizeAndStartVisibility) {
    CPELKOmouseDlg& d = build();
    RECT window;
    d.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 568);
    EXPECT_EQ(window.bottom - window.top, 344);
    EXPECT_EQ(d.GetWindowText(), L"Glimmerhaus Pelko");

    for (const layout::Control& row : layout::kControls) {
        HWND control = ::GetDlgItem(d, row.id);
        ASSERT_NE(control, nullptr) << row.id;
        RECT r;
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.rect.left) << row.id;
        EXPECT_EQ(r.top, row.rect.top) << row.id;
        CBitmap image;
        int imageId =
            row.kind == layout::Kind::Slider ? (row.id == kWheel ? 255 : 234) : row.images[0];
        ASSERT_TRUE(LoadSkinImage(image, d.skinLibrary, UINT(imageId)));
        SIZE size = SkinImageSize(image);
        EXPECT_EQ(r.right - r.left, size.cx) << row.id;
        EXPECT_EQ(r.bottom - r.top, size.cy) << row.id;
        bool shown = (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
        EXPECT_EQ(shown, row.page != layout::Page::Options) << row.id;
        if (row.kind == layout::Kind::HoverButton) {
            EXPECT_EQ(d.button(row.id).GetCaption(), row.caption ? row.caption : L"") << row.id;
        }
    }
    EXPECT_EQ(d.list(kLanguageList).GetCurSel(), 0);
    EXPECT_EQ(d.list(kCpi1List).GetCount(), 5);

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(d.GetExStyle() & WS_EX_LAYERED);
    ASSERT_TRUE(::GetLayeredWindowAttributes(d, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY));
}

// A short version of the benchmark's long loop: any object a build leaves behind shows in the
// framework's count.
TEST_F(AppTest, FiftyWindowsLeaveNoGdiObjectBehind) {
    const long before = GdiLiveObjects();
    for (int i = 0; i < 50; ++i) {
        resetBus();
        build();
        ASSERT_NE(::GetDlgItem(*dialog, kApply), nullptr) << i;
    }
    destroy();
    EXPECT_EQ(GdiLiveObjects(), before);
    build();
    CBitmap image;
    EXPECT_TRUE(LoadSkinImage(image, dialog->skinLibrary, 162));
}
