// Finding the skin library from the device paths, and what the scan does with the interfaces
// it meets: a missing library, a silent firmware, too many records, no mouse at all.
#include "device/skin_library.h"
#include "tests/app/app_fixture.h"

#include <string>

namespace {

const char kVendorPath[] =
    "\\\\?\\hid#vid_2719&pid_0604&mi_01#7&2c6e1f0&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// A second vendor interface of the mouse, answering from the same firmware.
SimInterface vendorInterface(const wchar_t* interfaceNumber) {
    SimInterface device = simMouseVendor();
    size_t at = device.path.find(L"mi_01");
    device.path.replace(at + 3, 2, interfaceNumber);
    return device;
}

} // namespace

TEST(SkinLibraryName, IsBuiltFromTheUpperCasedPathOrRefusedForOddPaths) {
    struct Case {
        std::string path;
        const wchar_t* name;
    };
    const std::string longPath = "vid_2719&pid_0604&mi_01" + std::string(2000, 'x');
    const Case cases[] = {
        {kVendorPath, L"VID_2719&PID_0604&MI_01.dll"},
        {"\\\\?\\hid#vid_2719&pid_0604#6&1}", L"VID_2719&PID_0604.dll"},
        {"\\\\?\\hid#2719&0604#x", L""},                    // no "VID_"
        {"\\\\?\\hid#xx_2719&0604_vid_2719&pid_06", L""},   // too short after "VID_"
        {"\\\\?\\hid#vid_2719&pid_0604&mi_x", L""},         // "MI_" at its end
        {longPath, L"VID_2719&PID_0604&MI_01.dll"},         // cut to 259 characters
        {"\\\\?\\hid#vid_\\..\\..\\..\\x&2719&0604}", L""}, // not a bare file name
        {"\\\\?\\hid#vid_\xc3\xa9\xc3\xa9"
         "2719&pid_0604#}",
         L""},                                         // non-ASCII: no crash
        {"\\\\?\\hid#vid_1234&pid_5678&mi_01#}", L""}, // another product
        {"", L""},
    };
    for (const Case& c : cases) {
        std::wstring name = skinLibraryNameForPath(c.path.c_str());
        if (c.path.find("\xc3") != std::string::npos)
            EXPECT_FALSE(loadSkinLibrary(name.c_str())) << c.path;
        else
            EXPECT_EQ(name, c.name) << c.path;
        EXPECT_LE(name.size(), kSkinLibraryNameMax);
    }
    EXPECT_EQ(skinLibraryNameForPath(nullptr), L"");
}

TEST_F(AppTest, AnInterfaceWithoutItsLibraryIsSkippedAndTheNextOneServes) {
    bus->interfaces.insert(bus->interfaces.end() - 1, vendorInterface(L"07"));
    CPELKOmouseDlg& d = build();
    ASSERT_NE(d.currentDevice, nullptr);
    EXPECT_NE(std::string(d.currentDevice->path).find("mi_01"), std::string::npos);
    EXPECT_EQ(bus->exchangeCount(), kStartUpExchanges);
    EXPECT_EQ(d.GetResult(), -1); // not cancelled
}

TEST_F(AppTest, ASilentFirmwareCancelsTheWindowEvenWhenALaterInterfaceWouldAnswer) {
    SimInterface second = vendorInterface(L"01");
    second.path.replace(second.path.find(L"#7&"), 3, L"#8&");
    bus->interfaces.push_back(second);
    bus->faults.failSendAt = 15; // the first interface's firmware-version request
    CPELKOmouseDlg& d = build();
    EXPECT_EQ(d.GetResult(), IDCANCEL);
    // The second interface was still initialised, over the one set of controls.
    EXPECT_EQ(bus->exchangeCount(), 16 + kStartUpExchanges);
    int buttons = 0;
    for (HWND child = ::GetWindow(d, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ++buttons;
    EXPECT_EQ(buttons, layout::kButtonCount + layout::kSliderCount + layout::kListCount);
}

TEST_F(AppTest, OnlyFiftyRecordsAreLookedAtThenTheDefaultLibraryBuildsTheWindow) {
    resetBus(55);
    CPELKOmouseDlg& d = build();
    EXPECT_EQ(d.currentDevice, &d.deviceList[50]);
    EXPECT_EQ(bus->exchangeCount(), 0);
    EXPECT_NE(::GetDlgItem(d, layout::id::kApply), nullptr);
    EXPECT_EQ(std::wstring(d.skinLibraryName), kDefaultSkinLibraryName);
}

TEST_F(AppTest, WithoutAMouseTheDefaultLibraryStillBuildsTheWindow) {
    bus->unplug();
    CPELKOmouseDlg& d = build();
    EXPECT_EQ(d.currentDevice, nullptr);
    EXPECT_NE(d.skinLibrary, nullptr);
    EXPECT_NE(::GetDlgItem(d, layout::id::kApply), nullptr);
    EXPECT_EQ(d.GetResult(), -1);
}
