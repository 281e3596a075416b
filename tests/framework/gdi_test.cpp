// GDI wrappers own their handles and release them.
#include "framework/bitmap.h"
#include "framework/brush.h"
#include "framework/dc.h"
#include "framework/font.h"
#include <gtest/gtest.h>
#include <utility>

namespace {

TEST(Gdi, WrappersReleaseWhatTheyOwn) {
    long start = GdiLiveObjects();
    {
        CDC screen(GetDC(nullptr));
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
        EXPECT_EQ(GdiLiveObjects(), start + 2);

        CBitmap moved = std::move(bitmap);
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
        EXPECT_EQ(GdiLiveObjects(), start + 2);
        BITMAP info = {};
        ASSERT_TRUE(moved.GetBitmap(&info));
        EXPECT_EQ(info.bmWidth, 8);

        // Attach replaces (and deletes) what was held; Detach hands the handle back.
        moved.Attach(CreateCompatibleBitmap(screen, 4, 4));
        EXPECT_EQ(GdiLiveObjects(), start + 2);
        HGDIOBJ raw = moved.Detach();
        EXPECT_EQ(GdiLiveObjects(), start + 1);
        EXPECT_TRUE(DeleteObject(raw));
        ReleaseDC(nullptr, screen.Detach());
    }
    EXPECT_EQ(GdiLiveObjects(), start);
}

TEST(Gdi, FiftyThousandCreateSelectDestroyCyclesStillSucceed) {
    long start = GdiLiveObjects();
    HDC screen = GetDC(nullptr);
    CDC screenDc(screen);
    for (int i = 0; i < 50000; ++i) {
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(&screenDc)) << "cycle " << i;
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screenDc, 16, 16)) << "cycle " << i;
        CFont font;
        ASSERT_TRUE(font.CreateFont(14, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET,
                                    OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, CLEARTYPE_QUALITY,
                                    0, L"Arial"))
            << "cycle " << i;
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(i & 255, 0, 0)));
        HGDIOBJ oldBitmap = memory.SelectObject(&bitmap);
        HGDIOBJ oldFont = memory.SelectObject(&font);
        HGDIOBJ oldBrush = memory.SelectObject(&brush);
        ASSERT_NE(oldBitmap, nullptr);
        memory.Rectangle(RECT{0, 0, 16, 16});
        memory.SelectObject(oldBrush);
        memory.SelectObject(oldFont);
        memory.SelectObject(oldBitmap);
    }
    screenDc.Detach();
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GdiLiveObjects(), start);
}

} // namespace
