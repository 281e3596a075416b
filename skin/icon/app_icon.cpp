#include "app_icon.h"

#include "skin/generator/marks.h"
#include "skin/generator/theme.h"

#include <cmath>

Canvas appIcon(int size) {
    using namespace theme;
    Canvas c(size, size);
    // Drawn on a 16-pixel grid and scaled; edges and strokes fall on whole pixels at 16, 32
    // and 48 so that the small sizes stay sharp.
    double s = size, k = s / 16;
    Sdf tile = roundRect({0, 0, s, s}, 3.5 * k);
    c.fill(tile, vertical(titleTop, windowBottom, 0, s));
    c.fill(ring(tile, std::floor(0.75 * k + 0.5)), solid(windowEdge));
    mouseMark(c, {4 * k, 2 * k, 12 * k, 14 * k}, 1 + k);
    return c;
}
