// The built skin libraries of both architectures: format, contents and the faces they hold.
#include "app/main_dialog.h"
#include "controls/skin_image.h"
#include "tests/skin/pe_image.h"
#include "tests/skin/skin_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Size {
    uint32_t id;
    int width, height;
};

// Every bitmap the program loads, with the size its controls take from it.
const std::vector<Size> kLoadedBitmaps = {
    {151, 23, 16},  {152, 23, 16},  {153, 23, 16},  {154, 23, 16},  {155, 23, 16},
    {156, 23, 16},  {157, 49, 24},  {158, 49, 24},  {159, 49, 24},  {162, 568, 344},
    {177, 67, 17},  {179, 67, 17},  {193, 87, 25},  {195, 87, 25},  {196, 87, 25},
    {214, 13, 13},  {224, 55, 26},  {225, 55, 26},  {226, 55, 26},  {227, 25, 13},
    {228, 25, 13},  {229, 25, 13},  {230, 66, 29},  {231, 66, 29},  {232, 66, 29},
    {233, 274, 28}, {234, 274, 28}, {237, 13, 13},  {238, 274, 28}, {239, 13, 13},
    {241, 62, 26},  {242, 62, 26},  {244, 75, 26},  {245, 75, 26},  {246, 568, 344},
    {248, 171, 16}, {249, 171, 16}, {250, 171, 16}, {251, 232, 25}, {255, 274, 28},
    {256, 274, 28}, {257, 274, 28}};

const std::map<uint32_t, std::wstring> kColourStrings = {
    {140, L"RGB(255,255,255)"}, {141, L"RGB(072,072,072)"}, {142, L"RGB(247,247,247)"},
    {143, L"RGB(0,0,0)"},       {144, L"RGB(250,250,250)"}, {146, L"RGB(255,255,255)"}};

constexpr uint32_t kBitmap = 2, kString = 6, kManifest = 24;

struct Build {
    const char* name;
    std::wstring path;
    uint16_t machine, magic;
};

std::vector<Build> builds() {
    return {{"win32", skinOfBuild(L"win32"), 0x014C, 0x10B},
            {"win64", skinOfBuild(L"win64"), 0x8664, 0x20B}};
}

DibView bitmapOf(const PeImage& pe, uint32_t id) {
    return DibView(pe.find(kBitmap, id));
}

TEST(SkinLibrary, IsAResourceOnlyLibraryForEachArchitecture) {
    for (const auto& build : builds()) {
        SCOPED_TRACE(build.name);
        PeImage pe;
        ASSERT_TRUE(pe.load(build.path));
        EXPECT_EQ(pe.machine, build.machine);
        EXPECT_EQ(pe.magic, build.magic);
        EXPECT_TRUE(pe.characteristics & IMAGE_FILE_DLL);
        EXPECT_EQ(pe.directories[IMAGE_DIRECTORY_ENTRY_IMPORT].rva, 0u);
        EXPECT_EQ(pe.directories[IMAGE_DIRECTORY_ENTRY_IMPORT].size, 0u);
        EXPECT_EQ(pe.directories[IMAGE_DIRECTORY_ENTRY_IAT].size, 0u);
        EXPECT_EQ(pe.directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].size, 0u);
        EXPECT_EQ(pe.directories[IMAGE_DIRECTORY_ENTRY_EXPORT].size, 0u);
        std::set<uint32_t> types;
        for (const auto& [key, data] : pe.resources) {
            types.insert(key.type);
            EXPECT_EQ(key.language, 1033u) << "type " << key.type << " id " << key.id;
        }
        EXPECT_EQ(types, (std::set<uint32_t>{kBitmap, kString, kManifest}));
        const auto* manifest = pe.find(kManifest, 2);
        ASSERT_NE(manifest, nullptr);
        std::string text(manifest->begin(), manifest->end());
        EXPECT_NE(text.find("<assembly"), std::string::npos);
    }
}

TEST(SkinLibrary, HoldsEveryLoadedBitmapAtItsSizeIn24BitBottomUpRows) {
    for (const auto& build : builds()) {
        SCOPED_TRACE(build.name);
        PeImage pe;
        ASSERT_TRUE(pe.load(build.path));
        std::set<uint32_t> expected, held;
        for (const auto& size : kLoadedBitmaps) {
            expected.insert(size.id);
            DibView bitmap = bitmapOf(pe, size.id);
            EXPECT_TRUE(bitmap.valid) << "bitmap " << size.id;
            EXPECT_EQ(bitmap.width, size.width) << "bitmap " << size.id;
            EXPECT_EQ(bitmap.height, size.height) << "bitmap " << size.id;
        }
        for (const auto& [key, data] : pe.resources)
            if (key.type == kBitmap) held.insert(key.id);
        EXPECT_EQ(held, expected);

        DibView links = bitmapOf(pe, 251);
        ASSERT_TRUE(links.valid);
        for (int y = 0; y < links.height; ++y)
            for (int x = 0; x < links.width; ++x)
                ASSERT_EQ(links.pixel(x, y), kMagenta) << x << "," << y;
    }
}

TEST(SkinLibrary, StringTableHoldsExactlyTheColourStrings) {
    for (const auto& build : builds()) {
        SCOPED_TRACE(build.name);
        PeImage pe;
        ASSERT_TRUE(pe.load(build.path));
        EXPECT_EQ(pe.strings(), kColourStrings);
    }
}

// The program's own way in: a data-only load, LoadStringW and LoadImageW with its flags.
TEST(SkinLibrary, LoadsAsImageResourceWithStringsAndPixelsIntact) {
    HMODULE skin = LoadLibraryExW(besideProgram(kSkinFile).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(skin, nullptr);
    for (const auto& [id, text] : kColourStrings) {
        wchar_t buffer[64] = {};
        EXPECT_EQ(LoadStringW(skin, id, buffer, 64), int(text.size()));
        EXPECT_EQ(std::wstring(buffer), text);
    }
    wchar_t none[8] = {};
    EXPECT_EQ(LoadStringW(skin, 145, none, 8), 0);

    PeImage pe;
    ASSERT_TRUE(pe.load(besideProgram(kSkinFile)));
    HDC screen = GetDC(nullptr);
    for (uint32_t id : {162u, 157u, 251u, 214u, 239u}) {
        SCOPED_TRACE(id);
        DibView raw = bitmapOf(pe, id);
        UINT flags = id == kMainBackground ? kBackgroundLoadFlags : kSkinImageLoadFlags;
        HBITMAP loaded = HBITMAP(LoadImageW(skin, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, flags));
        ASSERT_NE(loaded, nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), raw.width, -raw.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<uint32_t> pixels(size_t(raw.width) * raw.height);
        ASSERT_EQ(GetDIBits(screen, loaded, 0, raw.height, pixels.data(), &info, DIB_RGB_COLORS),
                  raw.height);
        int changed = 0;
        for (int y = 0; y < raw.height; ++y)
            for (int x = 0; x < raw.width; ++x) {
                uint32_t bgr = pixels[size_t(y) * raw.width + x] & 0xFFFFFF;
                uint32_t colour = (bgr >> 16) | (bgr & 0xFF00) | (bgr & 0xFF) << 16;
                changed += colour != raw.pixel(x, y);
            }
        EXPECT_EQ(changed, 0);
        DeleteObject(loaded);
    }
    ReleaseDC(nullptr, screen);
    FreeLibrary(skin);
}

TEST(SkinLibrary, NormalDownAndHoverFacesOfEachControlDiffer) {
    PeImage pe;
    ASSERT_TRUE(pe.load(besideProgram(kSkinFile)));
    const std::vector<std::vector<uint32_t>> faces = {
        {151, 152, 153}, {154, 155, 156}, {157, 158, 159}, {193, 195, 196}, {224, 225, 226},
        {227, 228, 229}, {230, 231, 232}, {241, 242},      {244, 245},      {177, 179},
        {249, 248},      {234, 233},      {255, 257},      {162, 246}};
    for (const auto& set : faces)
        for (size_t a = 0; a < set.size(); ++a)
            for (size_t b = a + 1; b < set.size(); ++b)
                EXPECT_FALSE(bitmapOf(pe, set[a]) == bitmapOf(pe, set[b]))
                    << set[a] << " and " << set[b] << " are the same image";
}

bool hasMagenta(const DibView& bitmap) {
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (bitmap.pixel(x, y) == kMagenta) return true;
    return false;
}

TEST(SkinLibrary, BackgroundsCutTheirCornersOnlyAndListsAreOpaque) {
    PeImage pe;
    ASSERT_TRUE(pe.load(besideProgram(kSkinFile)));
    for (uint32_t id : {162u, 246u}) {
        SCOPED_TRACE(id);
        DibView page = bitmapOf(pe, id);
        ASSERT_TRUE(page.valid);
        for (auto [x, y] : {std::pair{0, 0}, {567, 0}, {0, 343}, {567, 343}})
            EXPECT_EQ(page.pixel(x, y), kMagenta);
        int holes = 0;
        for (int y = 12; y < page.height - 12; ++y)
            for (int x = 0; x < page.width; ++x)
                holes += page.pixel(x, y) == kMagenta;
        EXPECT_EQ(holes, 0) << "the window outline is straight between its corners";
        EXPECT_NE(page.pixel(284, 1), kMagenta);
    }
    // Lists and channels are copied without the key, so magenta would show.
    for (uint32_t id : {177u, 179u, 248u, 249u, 250u, 233u, 234u, 255u, 257u})
        EXPECT_FALSE(hasMagenta(bitmapOf(pe, id))) << id;
    // Keyed faces leave their surroundings undrawn.
    for (uint32_t id : {151u, 157u, 224u, 227u, 230u, 193u, 241u, 244u})
        EXPECT_EQ(bitmapOf(pe, id).pixel(0, 0), kMagenta) << id;
}

TEST(SkinLibrary, ThumbHasGreenHitMaskAndSmoothAlphaMask) {
    PeImage pe;
    ASSERT_TRUE(pe.load(besideProgram(kSkinFile)));
    DibView hit = bitmapOf(pe, 237), alpha = bitmapOf(pe, 239), thumb = bitmapOf(pe, 214);
    ASSERT_TRUE(hit.valid && alpha.valid && thumb.valid);
    EXPECT_EQ(hit.pixel(6, 6), kGreen);
    EXPECT_EQ(hit.pixel(0, 0), kMagenta);
    EXPECT_EQ(alpha.pixel(6, 6), 0xFFFFFFu);
    EXPECT_EQ(alpha.pixel(0, 0), 0u);
    std::set<uint32_t> blues;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            uint32_t m = alpha.pixel(x, y);
            EXPECT_EQ(m & 0xFF, (m >> 16) & 0xFF) << "grey mask at " << x << "," << y;
            blues.insert(m >> 16);
            uint32_t h = hit.pixel(x, y);
            EXPECT_TRUE(h == kGreen || h == kMagenta);
            // Everything the mask shows is part of the thumb, and the hit area covers it.
            if ((m >> 16) >= 128) {
                EXPECT_NE(thumb.pixel(x, y), kMagenta) << x << "," << y;
                EXPECT_EQ(h, kGreen) << x << "," << y;
            }
        }
    EXPECT_GE(blues.size(), 6u) << "the rim is anti-aliased";
}

} // namespace
