#include "controls/skin_image.h"

#include "controls/image_library.h"

bool LoadSkinImage(CBitmap& slot, HMODULE module, UINT id) {
    WORD resourceId = LOWORD(id);
    // A null module would load the system's own bitmaps, and id 0 names no resource.
    if (!module || resourceId == 0) return false;
    HANDLE image =
        ::LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, kSkinImageLoadFlags);
    if (!image) return false;
    return slot.Attach(image) != FALSE;
}

SIZE SkinImageSize(const CBitmap& image) {
    BITMAP info = {};
    if (!image.GetBitmap(&info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

namespace {

// Makes dc a memory DC compatible with another (null: with the screen) and returns it.
HDC createMemoryDC(CDC& dc, HDC compatibleWith) {
    CDC borrowed(compatibleWith);
    dc.CreateCompatibleDC(compatibleWith ? &borrowed : nullptr);
    return dc.GetSafeHdc();
}

} // namespace

ImageDC::ImageDC(HDC compatibleWith, HBITMAP image)
    : m_selection(createMemoryDC(m_dc, compatibleWith), image) {}

BOOL TransparentCopy(HDC dest, const CBitmap& image, int width, int height) {
    ImageDC source(dest, image);
    if (!source.ok()) return FALSE;
    return MsimgTransparentBlt(dest, 0, 0, width, height, source, 0, 0, width, height,
                               kTransparentColour);
}

bool HitTestMask(HDC controlDc, const CBitmap& mask, int x, int y, COLORREF key) {
    ImageDC maskDc(controlDc, mask);
    if (!maskDc.ok()) return false;
    COLORREF pixel = ::GetPixel(maskDc, x, y);
    return pixel != CLR_INVALID && pixel == key;
}
