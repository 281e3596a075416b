// Drop-down list faces. The list control copies them opaquely, so they carry the page
// background in their corners instead of magenta.
#include "skin_images.h"
#include "theme.h"

namespace {

using namespace theme;

Bitmap listFace(const Bitmap& page, layout::Point at, int w, int h, bool active) {
    Canvas c(w, h);
    Box field{0.5, 0.5, w - 0.5, h - 0.5};
    Sdf shape = roundRect(field, 3);
    c.fill(shape, vertical({17, 18, 20}, {27, 28, 31}, 0, h));
    if (active) c.fill(shape, solid(accent), 0.08);
    c.fill(ring(shape, 1), solid(active ? accent : faceEdge));
    double sep = w - 15.5;
    c.fill(segment(sep, 3, sep, h - 3, 1), solid(active ? accentDeep : cardEdge));
    double cx = w - 7.5, cy = h / 2.0;
    Rgb arrow = active ? accent : glyph;
    c.fill(segment(cx - 3, cy - 1.5, cx, cy + 1.5, 1.4), solid(arrow));
    c.fill(segment(cx, cy + 1.5, cx + 3, cy - 1.5, 1.4), solid(arrow));
    return c.over(page.crop(at.x, at.y, w, h));
}

} // namespace

SkinImages listImages(const Bitmap& main, const Bitmap& options) {
    using layout::cpiList;
    using layout::languageList;
    Bitmap languageRest = listFace(options, languageList, 171, 16, false);
    return {{177, listFace(main, cpiList, 67, 17, false)},
            {179, listFace(main, cpiList, 67, 17, true)},
            {248, listFace(options, languageList, 171, 16, true)},
            {249, languageRest},
            {250, languageRest}};
}
