// Image loading, the transparent copy, the green hit test, the alpha blend and the
// background snapshot, checked on exact pixels.
#include "controls/background_snapshot.h"
#include "controls/skin_image.h"
#include "tests/controls/pixels.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>

using namespace test_images;

namespace {

HMODULE testModule() {
    return GetModuleHandleW(nullptr);
}

CBitmap loaded(int id) {
    CBitmap image;
    EXPECT_TRUE(LoadSkinImage(image, testModule(), static_cast<UINT>(id))) << id;
    return image;
}

constexpr COLORREF kBackdrop = RGB(20, 60, 240);

} // namespace

TEST(SkinImage, LoadsByIdAndKeepsThePreviousImageOnAFailedLoad) {
    CBitmap slot;
    ASSERT_TRUE(LoadSkinImage(slot, testModule(), kChannelImage));
    SIZE size = SkinImageSize(slot);
    EXPECT_EQ(size.cx, 270);
    EXPECT_EQ(size.cy, 30);

    HBITMAP before = slot;
    EXPECT_FALSE(LoadSkinImage(slot, testModule(), 0));
    EXPECT_FALSE(LoadSkinImage(slot, testModule(), 999)); // absent from the module
    EXPECT_FALSE(LoadSkinImage(slot, nullptr, kAllMagenta));
    EXPECT_EQ(static_cast<HBITMAP>(slot), before);
    EXPECT_EQ(SkinImageSize(slot).cx, 270);

    // Only the low word of the id counts.
    ASSERT_TRUE(LoadSkinImage(slot, testModule(), 0x10000u + kThumbOdd));
    EXPECT_EQ(SkinImageSize(slot).cx, 13);

    CBitmap empty;
    EXPECT_EQ(SkinImageSize(empty).cx, 0);
    EXPECT_EQ(SkinImageSize(empty).cy, 0);
}

TEST(SkinImage, ReloadingASlotReleasesTheImageItReplaces) {
    CBitmap slot;
    ASSERT_TRUE(LoadSkinImage(slot, testModule(), kButtonA));
    long live = GdiLiveObjects();
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(LoadSkinImage(slot, testModule(), kButtonB));
    EXPECT_EQ(GdiLiveObjects(), live);
}

TEST(SkinImage, TwentyFourBitImagesLoadWithTheirExactColours) {
    // The loader's colour-table flags must leave these images alone.
    for (const Image& image : kImages) {
        CBitmap bitmap = loaded(image.id);
        Canvas canvas(image.width, image.height);
        ImageDC source(canvas.dc(), bitmap);
        ASSERT_TRUE(source.ok());
        BitBlt(canvas.dc(), 0, 0, image.width, image.height, source, 0, 0, SRCCOPY);
        for (int y = 0; y < image.height; y += 3)
            for (int x = 0; x < image.width; x += 3)
                ASSERT_EQ(canvas.at(x, y), colourOf(pixelOf(image, x, y)))
                    << "image " << image.id << " at " << x << "," << y;
    }
}

TEST(SkinImage, TransparentCopyLeavesMagentaPixelsUndrawn) {
    Canvas canvas(8, 8);
    canvas.fill(kBackdrop);
    CBitmap magenta = loaded(kAllMagenta);
    EXPECT_TRUE(TransparentCopy(canvas.dc(), magenta, 8, 8));
    EXPECT_TRUE(canvas.all({0, 0, 8, 8}, kBackdrop));

    CBitmap half = loaded(kHalfMagenta);
    EXPECT_TRUE(TransparentCopy(canvas.dc(), half, 8, 8));
    EXPECT_TRUE(canvas.all({0, 0, 4, 8}, kBackdrop));
    EXPECT_TRUE(canvas.all({4, 0, 8, 8}, colourOf(kPatternColour)));

    // An empty slot draws nothing.
    canvas.fill(kBackdrop);
    CBitmap empty;
    EXPECT_FALSE(TransparentCopy(canvas.dc(), empty, 8, 8));
    EXPECT_TRUE(canvas.all({0, 0, 8, 8}, kBackdrop));
}

TEST(SkinImage, HitTestMatchesOnlyGreenPixelsInsideTheMask) {
    CBitmap mask = loaded(kGreenSquare);
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(HitTestMask(screen, mask, 2, 2, kHitColour));
    EXPECT_TRUE(HitTestMask(screen, mask, 5, 5, kHitColour));
    // One pixel off the green square, on every side.
    EXPECT_FALSE(HitTestMask(screen, mask, 1, 3, kHitColour));
    EXPECT_FALSE(HitTestMask(screen, mask, 6, 3, kHitColour));
    EXPECT_FALSE(HitTestMask(screen, mask, 3, 1, kHitColour));
    EXPECT_FALSE(HitTestMask(screen, mask, 3, 6, kHitColour));
    // Outside the image.
    EXPECT_FALSE(HitTestMask(screen, mask, -1, 3, kHitColour));
    EXPECT_FALSE(HitTestMask(screen, mask, 8, 3, kHitColour));
    EXPECT_FALSE(HitTestMask(screen, mask, 3, 40, kHitColour));
    // The key is the control's own: black matches the black pixels.
    EXPECT_TRUE(HitTestMask(screen, mask, 0, 0, RGB(0, 0, 0)));
    // An empty mask never hits, whatever the key.
    CBitmap empty;
    EXPECT_FALSE(HitTestMask(screen, empty, 0, 0, RGB(0, 0, 0)));
    ReleaseDC(nullptr, screen);
}

namespace {

// Blends kBlendImage through mask over a kBackdrop canvas at (x, y), w × h.
void blendOver(Canvas& canvas, int maskId, int x, int y, int w, int h) {
    canvas.fill(kBackdrop);
    CBitmap image = loaded(kBlendImage);
    CBitmap mask;
    if (maskId) mask = loaded(maskId);
    ImageDC source(canvas.dc(), image);
    ASSERT_TRUE(source.ok());
    EXPECT_TRUE(AlphaMaskBlt(source, canvas.dc(), x, y, w, h, 8, 8, mask));
}

} // namespace

TEST(SkinImage, AlphaMaskBlendsEachColourByteByTheMasksBlueByte) {
    Canvas canvas(20, 20);
    RECT placed = {3, 2, 11, 10};

    blendOver(canvas, kAlphaFull, 3, 2, 8, 8);
    EXPECT_TRUE(canvas.all(placed, colourOf(kBlendSource)));

    blendOver(canvas, kAlphaNone, 3, 2, 8, 8);
    EXPECT_TRUE(canvas.all({0, 0, 20, 20}, kBackdrop));

    blendOver(canvas, kAlphaHalf, 3, 2, 8, 8);
    auto mix = [](int dst, int src) { return (127 * dst + 128 * src) / 255; };
    COLORREF expected =
        RGB(mix(20, kBlendSource.r), mix(60, kBlendSource.g), mix(240, kBlendSource.b));
    EXPECT_TRUE(canvas.all(placed, expected)) << std::hex << canvas.at(3, 2);
    // Nothing outside the destination rectangle changes.
    EXPECT_EQ(canvas.at(2, 2), kBackdrop);
    EXPECT_EQ(canvas.at(11, 9), kBackdrop);
    EXPECT_EQ(canvas.at(3, 10), kBackdrop);
}

TEST(SkinImage, AlphaMaskWithoutMaskIsAStretchedCopy) {
    Canvas canvas(20, 20);
    canvas.fill(kBackdrop);
    CBitmap half = loaded(kHalfMagenta);
    ImageDC source(canvas.dc(), half);
    EXPECT_TRUE(AlphaMaskBlt(source, canvas.dc(), 2, 2, 16, 16, 8, 8, nullptr));
    // Magenta is copied like any colour here: columns 0-3 of the image become 2-9.
    EXPECT_TRUE(canvas.all({2, 2, 10, 18}, RGB(255, 0, 255)));
    EXPECT_TRUE(canvas.all({10, 2, 18, 18}, colourOf(kPatternColour)));
    EXPECT_EQ(canvas.at(1, 1), kBackdrop);
}

TEST(SkinImage, AlphaMaskReleasesItsObjectsOnEveryPath) {
    Canvas canvas(16, 16);
    CBitmap image = loaded(kBlendImage);
    CBitmap mask = loaded(kAlphaHalf);
    ImageDC source(canvas.dc(), image);
    long live = GdiLiveObjects();
    for (int i = 0; i < 50000; ++i) {
        ASSERT_TRUE(AlphaMaskBlt(source, canvas.dc(), 0, 0, 8, 8, 8, 8, mask)) << i;
        // A failing copy (no source DC) must release the same objects.
        if (i % 10 == 0) {
            ASSERT_FALSE(AlphaMaskBlt(nullptr, canvas.dc(), 0, 0, 8, 8, 8, 8, mask));
        }
    }
    EXPECT_EQ(GdiLiveObjects(), live);
    CBitmap later;
    EXPECT_TRUE(LoadSkinImage(later, testModule(), kChannelImage));
    EXPECT_FALSE(AlphaMaskBlt(source, canvas.dc(), 0, 0, 0, 8, 8, 8, mask));
}

TEST(BackgroundSnapshot, CopiesTheParentPixelsUnderTheControlOnce) {
    RecordingParent parent{RecordingParent::Shown::Later};
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, RECT{40, 30, 80, 50}, &parent, 7));
    parent.show();

    BackgroundSnapshot snapshot;
    Canvas canvas(40, 20);
    EXPECT_FALSE(snapshot.Exists());
    EXPECT_FALSE(snapshot.Draw(canvas.dc(), 40, 20));

    ASSERT_TRUE(snapshot.Take(child));
    ASSERT_TRUE(snapshot.Exists());
    canvas.fill(RGB(0, 0, 0));
    EXPECT_TRUE(snapshot.Draw(canvas.dc(), 40, 20));
    EXPECT_TRUE(canvas.all({0, 0, 40, 20}, parent.colour));

    // Never refreshed: a later change of the parent stays out of the snapshot.
    parent.colour = RGB(200, 0, 0);
    parent.Invalidate();
    parent.UpdateWindow();
    EXPECT_TRUE(snapshot.Take(child));
    canvas.fill(RGB(0, 0, 0));
    snapshot.Draw(canvas.dc(), 40, 20);
    EXPECT_EQ(canvas.at(5, 5), RGB(30, 160, 90));
}
