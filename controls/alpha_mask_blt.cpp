#include "controls/skin_image.h"
#include <cstdint>

namespace {

// A 32-bit bottom-up DIB section of w × h, its pixels reachable through bits.
struct DibSection {
    CBitmap bitmap;
    uint8_t* bits = nullptr;

    bool Create(HDC dc, int w, int h) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        HBITMAP handle = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        if (!handle) return false;
        bitmap.Attach(handle);
        bits = static_cast<uint8_t*>(pixels);
        return bits != nullptr;
    }
};

// Copies src (sw × sh) into target, stretched to w × h, through the work DC.
bool stretchInto(HDC work, DibSection& target, HDC src, int sx, int sy, int w, int h, int sw,
                 int sh) {
    ScopedSelection selected(work, target.bitmap);
    if (!selected.ok()) return false;
    return ::StretchBlt(work, 0, 0, w, h, src, sx, sy, sw, sh, SRCCOPY) != FALSE;
}

// image.c = ((255 − m) × dest.c + image.c × m) / 255 for blue, green and red; m is the mask's
// blue byte. The fourth byte is left alone.
void blend(uint8_t* image, const uint8_t* dest, const uint8_t* mask, size_t pixels) {
    for (size_t p = 0; p < pixels; ++p) {
        unsigned m = mask[p * 4];
        for (size_t c = 0; c < 3; ++c) {
            size_t i = p * 4 + c;
            image[i] = static_cast<uint8_t>(((255u - m) * dest[i] + image[i] * m) / 255u);
        }
    }
}

} // namespace

BOOL AlphaMaskBlt(HDC source, HDC dest, int x, int y, int w, int h, int sw, int sh, HBITMAP mask) {
    if (!mask) return ::StretchBlt(dest, x, y, w, h, source, 0, 0, sw, sh, SRCCOPY);
    if (w <= 0 || h <= 0) return FALSE;

    // Declared bitmaps first, DCs after: the DCs go (with their selections undone) first.
    DibSection image, backdrop, alpha;
    if (!image.Create(dest, w, h) || !backdrop.Create(dest, w, h) || !alpha.Create(dest, w, h))
        return FALSE;
    ImageDC maskDc(dest, mask);
    CDC work;
    CDC borrowedDest(dest);
    if (!maskDc.ok() || !work.CreateCompatibleDC(&borrowedDest)) return FALSE;

    if (!stretchInto(work, image, source, 0, 0, w, h, sw, sh) ||
        !stretchInto(work, backdrop, dest, x, y, w, h, w, h) ||
        !stretchInto(work, alpha, maskDc, 0, 0, w, h, sw, sh))
        return FALSE;
    ::GdiFlush(); // the copies must have landed before the bits are read
    blend(image.bits, backdrop.bits, alpha.bits, static_cast<size_t>(w) * static_cast<size_t>(h));

    ScopedSelection selected(work, image.bitmap);
    if (!selected.ok()) return FALSE;
    return ::BitBlt(dest, x, y, w, h, work, 0, 0, SRCCOPY);
}
