// The image families of the skin. Each function returns the bitmaps of one family, drawn for
// the page background that lies under the control (controls are keyed over it or opaque).
#pragma once

#include "canvas.h"

#include <vector>

struct SkinImage {
    int id;
    Bitmap bitmap;
};
using SkinImages = std::vector<SkinImage>;

enum class Page { Main, Options };

Bitmap pageBackground(Page page, int width, int height);

// main and options are the two page backgrounds at their standard size.
SkinImages captionButtons(const Bitmap& main);
SkinImages pushButtons(const Bitmap& main);
SkinImages pageTabs(const Bitmap& main, const Bitmap& options);
SkinImages optionButtons(const Bitmap& main);
SkinImages swapSelectors(const Bitmap& main);
SkinImages onePageToggle(const Bitmap& main);
SkinImages linkButtons();
SkinImages sliderImages(const Bitmap& main);
SkinImages listImages(const Bitmap& main, const Bitmap& options);
