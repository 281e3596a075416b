// Colour strings: both layouts parse; anything malformed leaves the caller's colour alone.
#include "controls/skin_colour.h"
#include "tests/skin/skin_files.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kUnchanged = 0x00123456;

TEST(SkinColour, ParsesPaddedAndPlainComponentsRedFirst) {
    struct Case {
        const wchar_t *text, *format;
        COLORREF expected;
    } cases[] = {
        {L"RGB(255,255,255)", kPaddedColourFormat, 0xFFFFFF},
        {L"RGB(072,072,072)", kPaddedColourFormat, 0x484848},
        {L"RGB(1,2,3)", kPaddedColourFormat, 0x030201},
        {L"RGB(247,247,247)", kPlainColourFormat, 0xF7F7F7},
        {L"RGB(0,128,255)", kPlainColourFormat, 0xFF8000},
        {L"RGB(000,000,000)", kPlainColourFormat, 0x000000},
    };
    for (const auto& c : cases) {
        COLORREF colour = kUnchanged;
        EXPECT_TRUE(ParseSkinColour(c.text, c.format, colour)) << c.text;
        EXPECT_EQ(colour, c.expected) << c.text;
    }
}

TEST(SkinColour, MalformedTextKeepsThePreviousColour) {
    const wchar_t* bad[] = {L"",
                            L"RGB(12,34)",
                            L"RGB(1,2,3",
                            L"RGB(1,2,3)junk",
                            L"RGB(256,0,0)",
                            L"RGB(0,0,300)",
                            L"RGB(-5,0,0)",
                            L"rgb(1,2,3)",
                            L"junk",
                            L"RGB(1234,5,6)",
                            L"RGB(1;2;3)",
                            L"RGB(,,)",
                            L" RGB(1,2,3)"};
    for (const wchar_t* format : {kPaddedColourFormat, kPlainColourFormat})
        for (const wchar_t* text : bad) {
            COLORREF colour = kUnchanged;
            EXPECT_FALSE(ParseSkinColour(text, format, colour)) << text;
            EXPECT_EQ(colour, kUnchanged) << text;
        }
    COLORREF colour = kUnchanged;
    EXPECT_FALSE(ParseSkinColour(nullptr, kPlainColourFormat, colour));
    EXPECT_EQ(colour, kUnchanged);
}

HMODULE loadSkin(const wchar_t* file) {
    return LoadLibraryExW(besideProgram(file).c_str(), nullptr,
                          LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
}

TEST(SkinColour, ReadsTheColoursOfTheReleaseSkin) {
    HMODULE skin = loadSkin(kSkinFile);
    ASSERT_NE(skin, nullptr);
    COLORREF label = 0, caption = 0, list = 0, grey = 0;
    EXPECT_TRUE(LoadSkinColour(skin, 146, kPaddedColourFormat, label));
    EXPECT_TRUE(LoadSkinColour(skin, 140, kPaddedColourFormat, caption));
    EXPECT_TRUE(LoadSkinColour(skin, 142, kPlainColourFormat, list));
    EXPECT_TRUE(LoadSkinColour(skin, 141, kPaddedColourFormat, grey));
    EXPECT_EQ(label, 0xFFFFFFu);
    EXPECT_EQ(caption, 0xFFFFFFu);
    EXPECT_EQ(list, 0xF7F7F7u);
    EXPECT_EQ(grey, 0x484848u);

    COLORREF colour = kUnchanged;
    EXPECT_FALSE(LoadSkinColour(skin, 145, kPaddedColourFormat, colour));
    EXPECT_FALSE(LoadSkinColour(nullptr, 140, kPaddedColourFormat, colour));
    EXPECT_EQ(colour, kUnchanged);
    FreeLibrary(skin);
}

TEST(SkinColour, MalformedSkinLeavesEveryColourUnchanged) {
    HMODULE skin = loadSkin(L"skin_test_malformed.dll");
    ASSERT_NE(skin, nullptr);
    for (UINT id : {140u, 141u, 142u, 143u, 144u, 146u, 147u, 148u, 149u})
        for (const wchar_t* format : {kPaddedColourFormat, kPlainColourFormat}) {
            COLORREF colour = kUnchanged;
            EXPECT_FALSE(LoadSkinColour(skin, id, format, colour)) << id;
            EXPECT_EQ(colour, kUnchanged) << id;
        }
    FreeLibrary(skin);
}

} // namespace
