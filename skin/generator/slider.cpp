// Slider images: the channel with its groove and tick marks (opaque, drawn over the page
// background it covers), and the round thumb with its smooth alpha mask and green hit mask.
#include "skin_images.h"
#include "theme.h"

#include <cmath>

namespace {

using namespace theme;

struct Ticks {
    int count;     // evenly spaced from channelStart to channelEnd
    int every;     // every n-th tick is a long one
    double detent; // accent mark at this fraction of the span, or < 0 for none
};

double tickX(int i, int count) {
    return layout::channelStart + 0.5 +
           double(i) * (layout::channelEnd - layout::channelStart) / (count - 1);
}

Bitmap channel(const Bitmap& page, layout::Point at, Ticks ticks, bool enabled) {
    Canvas c(274, 28);
    double cy = layout::thumbCentreY;
    Box groove{layout::channelStart - 4.0, cy - 2.5, layout::channelEnd + 5.0, cy + 2.5};
    Sdf track = roundRect(groove, 2.5);
    c.fill(roundRect(groove.shifted(0, 1), 2.5), solid(cardHighlight), enabled ? 0.45 : 0.25);
    c.fill(track, solid(theme::groove));
    c.fill(ring(track, 1), solid(shadow));
    double strength = enabled ? 1.0 : 0.5;
    for (int i = 0; i < ticks.count; ++i) {
        double x = std::floor(tickX(i, ticks.count)) + 0.5;
        bool major = i % ticks.every == 0 || i == ticks.count - 1;
        c.fill(segment(x, 14, x, major ? 20 : 17, 1), solid(major ? glyph : dimGlyph), strength);
    }
    if (ticks.detent >= 0) {
        double span = layout::channelEnd - layout::channelStart;
        double x = std::floor(layout::channelStart + ticks.detent * span) + 0.5;
        c.fill(segment(x, 13, x, 21, 1.2), solid(enabled ? accent : dimGlyph));
    }
    // Less and more at the two ends of the scale.
    double left = layout::channelStart + 0.5, right = layout::channelEnd + 0.5;
    c.fill(segment(left - 2.5, 24.5, left + 2.5, 24.5, 1.2), solid(glyph), strength);
    c.fill(segment(right - 2.5, 24.5, right + 2.5, 24.5, 1.2), solid(glyph), strength);
    c.fill(segment(right, 22, right, 27, 1.2), solid(glyph), strength);
    return c.over(page.crop(at.x, at.y, 274, 28));
}

constexpr double thumbRadius = 6.3;

Bitmap thumb() {
    Canvas c(13, 13);
    // Painted past the mask's edge so that the blended rim carries the thumb's own colour.
    c.fill(circle(6.5, 6.5, 7.2), solid({96, 40, 8}));
    c.fill(circle(6.5, 6.5, thumbRadius - 1.1), vertical(accentLight, accentDeep, 1, 12));
    c.fill(circle(6.5, 6.5, 1.7), solid(white), 0.9);
    Bitmap out = c.over(Bitmap(13, 13, {}));
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            if (std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) > 7.0) out.set(x, y, kMagenta);
    return out;
}

Bitmap thumbAlpha() {
    Canvas c(13, 13);
    c.fill(circle(6.5, 6.5, thumbRadius), solid({255, 255, 255}));
    return c.over(Bitmap(13, 13, {}));
}

Bitmap thumbHitMask() {
    Bitmap out(13, 13, kMagenta);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            if (std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) <= 6.6) out.set(x, y, kGreen);
    return out;
}

} // namespace

SkinImages sliderImages(const Bitmap& main) {
    Ticks sensitivity{20, 19, 9.5 / 19}; // pointer speeds 1 to 20; the slider snaps to 10.5
    Ticks wheel{11, 5, -1};              // tenths of 1 to 100
    Bitmap sensitivityChannel = channel(main, layout::sensitivitySlider, sensitivity, true);
    Bitmap wheelChannel = channel(main, layout::wheelSlider, wheel, true);
    return {{214, thumb()},
            {237, thumbHitMask()},
            {239, thumbAlpha()},
            {233, channel(main, layout::sensitivitySlider, sensitivity, false)},
            {234, sensitivityChannel},
            {238, sensitivityChannel},
            {255, wheelChannel},
            {256, wheelChannel},
            {257, channel(main, layout::wheelSlider, wheel, false)}};
}
