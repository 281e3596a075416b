// The pixel reader with the colours of the controls' test images.
#pragma once
#include "tests/controls/test_images.h"
#include "tests/support/pixels.h"

inline COLORREF colourOf(test_images::Rgb rgb) {
    return RGB(rgb.r, rgb.g, rgb.b);
}
