// The test skins differ from the release skin in exactly the way their names say.
#include "tests/skin/pe_image.h"
#include "tests/skin/skin_files.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBitmap = 2;

PeImage load(const wchar_t* file) {
    PeImage pe;
    EXPECT_TRUE(pe.load(besideProgram(file))) << "cannot read the skin";
    return pe;
}

TEST(TestSkins, MissingVariantsLackOnlyTheirChosenImage) {
    PeImage release = load(kSkinFile);
    for (auto [file, omitted] : {std::pair{L"skin_test_missing.dll", 157u},
                                 std::pair{L"skin_test_no_background.dll", 162u}}) {
        PeImage skin = load(file);
        EXPECT_EQ(skin.find(kBitmap, omitted), nullptr) << omitted;
        size_t bitmaps = 0, releaseBitmaps = 0;
        for (const auto& entry : skin.resources)
            bitmaps += entry.first.type == kBitmap;
        for (const auto& entry : release.resources)
            releaseBitmaps += entry.first.type == kBitmap;
        EXPECT_EQ(bitmaps + 1, releaseBitmaps);
        EXPECT_EQ(skin.strings(), release.strings());
    }
}

TEST(TestSkins, ResizedVariantChangesOnlyTheBackgroundSize) {
    PeImage release = load(kSkinFile), resized = load(L"skin_test_resized.dll");
    for (uint32_t id : {162u, 246u}) {
        DibView page(resized.find(kBitmap, id));
        ASSERT_TRUE(page.valid);
        EXPECT_EQ(page.width, 640);
        EXPECT_EQ(page.height, 400);
    }
    for (uint32_t id : {157u, 214u, 234u})
        EXPECT_TRUE(DibView(resized.find(kBitmap, id)) == DibView(release.find(kBitmap, id)));
}

TEST(TestSkins, NoMagentaVariantHasNoKeyColourAnywhere) {
    PeImage skin = load(L"skin_test_no_magenta.dll");
    int images = 0;
    for (const auto& [key, data] : skin.resources) {
        if (key.type != kBitmap) continue;
        DibView bitmap(&data);
        ASSERT_TRUE(bitmap.valid) << key.id;
        ++images;
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x)
                ASSERT_NE(bitmap.pixel(x, y), kMagenta) << key.id << " at " << x << "," << y;
    }
    EXPECT_EQ(images, 42);
}

} // namespace
