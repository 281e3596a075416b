// The window over odd skins: every image the release skin holds missing in turn, every image
// of an odd size, and the test skins (no background, backgrounds of another size, no key
// colour, colour strings that do not parse). Each window builds, paints both pages and every
// control on them, and stays usable: profiles switch, the watch polls, Apply writes.
#include "device/skin_library.h"
#include "tests/app/app_fixture.h"
#include "tests/fault/skin_variants.h"
#include "tests/fault/window_checks.h"
#include "tests/support/beside_program.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace layout::id;

struct Variant {
    std::string what;
    std::wstring source; // a library beside the program, or empty for a resized release skin
    WORD missing = 0;
    int width = 0, height = 0; // of every image of a resized release skin
};

std::vector<Variant> variants() {
    std::vector<Variant> all;
    for (WORD id : releaseSkinBitmapIds())
        all.push_back({"without image " + std::to_string(id), kDefaultSkinLibraryName, id});
    all.push_back({"every image 1x1", L"", 0, 1, 1});
    all.push_back({"every image 37x23", L"", 0, 37, 23});
    for (const wchar_t* test :
         {L"skin_test_missing.dll", L"skin_test_no_background.dll", L"skin_test_resized.dll",
          L"skin_test_no_magenta.dll", L"skin_test_malformed.dll"})
        all.push_back({std::string(test, test + wcslen(test)), test, 0});
    return all;
}

} // namespace

class SkinFaultTest : public AppTest {
  protected:
    // Leads the mouse's vendor interface to the library "VID_2719&PID_0604&MI_<code>.dll".
    std::wstring leadVendorInterfaceTo(int code) {
        wchar_t digits[3];
        std::swprintf(digits, 3, L"%02x", code);
        std::wstring& path = bus->interfaces.back().path;
        path.replace(path.find(L"mi_01") + 3, 2, digits);
        wchar_t name[32];
        std::swprintf(name, 32, L"VID_2719&PID_0604&MI_%02X.dll", code);
        return name;
    }

    void TearDown() override {
        AppTest::TearDown();
        for (const std::wstring& file : written)
            ::DeleteFileW(besideProgram(file).c_str());
    }

    std::vector<std::wstring> written;
};

TEST_F(SkinFaultTest, EveryOddSkinBuildsPaintsBothPagesAndStaysUsable) {
    const std::vector<Variant> all = variants();
    ASSERT_GT(all.size(), 40u); // the release skin's images were found
    int code = 0x20;
    for (const Variant& variant : all) {
        const char* where = variant.what.c_str();
        resetBus();
        const std::wstring library = leadVendorInterfaceTo(code++);
        written.push_back(library);
        const bool made = variant.source.empty()
                              ? writeSkinResized(library, variant.width, variant.height)
                              : writeSkinWithout(variant.source, library, variant.missing);
        ASSERT_TRUE(made) << where;

        CPELKOmouseDlg& d = build();
        ASSERT_EQ(std::wstring(d.skinLibraryName), library) << where;
        EXPECT_NE(d.GetResult(), IDCANCEL) << where;
        EXPECT_EQ(bus->exchangeCount(), kStartUpExchanges) << where;
        RECT client;
        d.GetClientRect(&client); // room for every control of the page
        EXPECT_GE(client.right, layout::kPageWidth) << where;
        EXPECT_GE(client.bottom, layout::kPageHeight) << where;
        EXPECT_GT(paintedHeadingPixels(d, layout::Page::Options), 0) << where;
        EXPECT_GT(paintedHeadingPixels(d, layout::Page::Main), 0) << where;

        d.SendMessage(WM_COMMAND, kProfile3);
        EXPECT_EQ(d.currentProfile, 22) << where;
        EXPECT_EQ(d.button(kProfile3).GetCheck(), 1) << where;
        EXPECT_EQ(watchTick(d), L"") << where;
        d.SendMessage(WM_COMMAND, kApply);
        std::vector<WireExchange> sent = exchangesSince(kStartUpExchanges + 1);
        ASSERT_EQ(sent.size(), 30u) << where;
        EXPECT_EQ(sent[27].command, 'I') << where;
        EXPECT_EQ(sent[27].payload[0], 22) << where;
        EXPECT_EQ(bus->firmware.memory[6], 22) << where;
    }
}
