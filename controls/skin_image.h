// Loading, sizing and drawing the skin images that every skinned control is made of.
#pragma once
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"

// Pixels of this colour in a control image are not drawn.
constexpr COLORREF kTransparentColour = RGB(255, 0, 255);
// Pixels of this colour in a hit-test mask are the clickable area.
constexpr COLORREF kHitColour = RGB(0, 255, 0);
// LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT: they touch only colour-table images, so the skin's
// 24- and 32-bit images load unchanged. LR_CREATEDIBSECTION keeps each image as the library's
// pixels instead of a device-dependent copy: the same pixels are drawn, but Wine makes a
// device-dependent bitmap only after a look at the display devices, several window-server
// round trips per image, and a window loads about 70 of them.
constexpr UINT kSkinImageLoadFlags = LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION;

// Loads bitmap resource `id` (its low word) of `module` into `slot`, replacing (and deleting)
// the image the slot held. A failed load, id 0 or a null module leave the slot as it was.
bool LoadSkinImage(CBitmap& slot, HMODULE module, UINT id);

// Width and height of an image; 0 × 0 for an empty slot.
SIZE SkinImageSize(const CBitmap& image);

// A memory DC compatible with another DC, holding one image while it lives.
class ImageDC {
  public:
    ImageDC(HDC compatibleWith, HBITMAP image);
    ImageDC(const ImageDC&) = delete;
    ImageDC& operator=(const ImageDC&) = delete;

    bool ok() const { return m_selection.ok(); }
    CDC& dc() { return m_dc; }
    operator HDC() const { return m_dc; }

  private:
    CDC m_dc; // declared before the selection: the image is put back before the DC goes
    ScopedSelection m_selection;
};

// Copies image to (0, 0) of dest, width × height, leaving its magenta pixels undrawn.
// An empty image draws nothing.
BOOL TransparentCopy(HDC dest, const CBitmap& image, int width, int height);

// True when the pixel of mask at (x, y) (relative to the mask's top-left corner) equals key.
// Points outside the mask, and an empty mask, miss.
bool HitTestMask(HDC controlDc, const CBitmap& mask, int x, int y, COLORREF key);

// Blends the image selected in source (sw × sh, stretched to w × h) over dest at (x, y)
// through the blue channel of mask: 255 shows the image, 0 keeps the destination. A null
// mask makes it a plain stretched copy. Returns non-zero on success.
BOOL AlphaMaskBlt(HDC source, HDC dest, int x, int y, int w, int h, int sw, int sh, HBITMAP mask);
