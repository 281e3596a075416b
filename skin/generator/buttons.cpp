// Button faces: caption buttons, push buttons, page tabs, option buttons, the swap switches,
// the One Page toggle and the invisible link face. Normal is at rest, Hover is lit with the
// accent, Down (the checked state of the program's toggles) is filled or pressed.
#include "skin_images.h"
#include "theme.h"

namespace {

using namespace theme;

enum class State { Normal, Down, Hover };

Bitmap under(const Bitmap& page, layout::Point at, int w, int h) {
    return page.crop(at.x, at.y, w, h);
}

void raisedFace(Canvas& c, Box b, double radius, bool lit) {
    Sdf face = roundRect(b, radius);
    c.fill(roundRect(b.shifted(0, 1), radius), solid(shadow), 0.7);
    c.fill(face, vertical(lit ? mix(faceTop, accent, 0.12) : faceTop, faceBottom, b.top, b.bottom));
    c.fill(ring(face, 1), solid(lit ? accent : faceEdge));
    c.fill(intersect(ring(roundRect(b.inset(1), radius - 1), 1),
                     roundRect({b.left, b.top, b.right, b.top + 3}, 0)),
           solid(lit ? accentLight : Rgb{110, 112, 120}), lit ? 0.45 : 0.5);
}

void filledFace(Canvas& c, Box b, double radius) {
    Sdf face = roundRect(b, radius);
    c.fill(face, vertical(accent, accentDeep, b.top, b.bottom));
    c.fill(ring(face, 1), solid({150, 62, 14}));
    c.fill(intersect(ring(roundRect(b.inset(1), radius - 1), 1),
                     roundRect({b.left, b.top, b.right, b.top + 3}, 0)),
           solid(accentLight), 0.6);
}

// A raised plate, lit with the accent when hovered and filled with it when down (pressed
// downShift pixels lower).
Bitmap plateFace(const Bitmap& page, layout::Point at, int w, int h, Box face, double radius,
                 double downShift, State state) {
    Canvas c(w, h);
    if (state == State::Down)
        filledFace(c, face.shifted(0, downShift), radius);
    else
        raisedFace(c, face, radius, state == State::Hover);
    return c.keyed(under(page, at, w, h));
}

Bitmap pushFace(const Bitmap& page, State state) {
    return plateFace(page, layout::pushButton, 49, 24, {0.5, 0.5, 48.5, 22.5}, 4, 1, state);
}

void minimiseGlyph(Canvas& c, Rgb colour, double dy) {
    c.fill(segment(7.5, 10.5 + dy, 15.5, 10.5 + dy, 1.7), solid(colour));
}

void closeGlyph(Canvas& c, Rgb colour, double dy) {
    c.fill(segment(8, 4.5 + dy, 15, 11.5 + dy, 1.6), solid(colour));
    c.fill(segment(15, 4.5 + dy, 8, 11.5 + dy, 1.6), solid(colour));
}

Bitmap captionFace(const Bitmap& page, layout::Point at, bool isClose, State state) {
    Canvas c(23, 16);
    Box plate{1, 0.5, 22, 15.5};
    if (state == State::Hover) {
        c.fill(roundRect(plate, 3.5), solid(isClose ? accent : faceTop));
        c.fill(ring(roundRect(plate, 3.5), 1), solid(isClose ? accentLight : accent), 0.8);
    } else if (state == State::Down) {
        c.fill(roundRect(plate, 3.5), solid(accentDeep));
    }
    Rgb colour = state == State::Normal ? glyph : white;
    double dy = state == State::Down ? 0.5 : 0;
    if (isClose)
        closeGlyph(c, colour, dy);
    else
        minimiseGlyph(c, colour, dy);
    return c.keyed(under(page, at, 23, 16));
}

// A tab with a rounded top-left corner that runs off the window's right edge and stands on
// the heading rule.
Bitmap tabFace(const Bitmap& page, layout::Point at, int w, bool lit) {
    Canvas c(w, 26);
    Box b{0.5, 0.5, double(w) + 10, 36};
    Sdf shape = roundRect(b, 7);
    c.fill(shape, vertical(lit ? mix(faceTop, accent, 0.1) : faceTop, faceBottom, 0, 26));
    c.fill(ring(shape, 1), solid(lit ? accent : faceEdge));
    if (lit) c.fill(roundRect({1, 23, double(w), 26}, 0), solid(accent));
    // The last column lies outside the window; the one before it carries the window's edge.
    c.fill(roundRect({w - 2.0, 0, w - 1.0, 26}, 0), solid(windowEdge));
    return c.keyed(under(page, at, w, 26));
}

// Option buttons: a radio mark at the left of the caption the program draws.
Bitmap optionFace(const Bitmap& page, layout::Point at, int w, int h, State state) {
    Canvas c(w, h);
    double cy = h / 2.0;
    if (state == State::Hover) {
        Box pill{0.5, 3.5, w - 0.5, h - 3.5};
        Sdf shape = roundRect(pill, pill.height() / 2);
        c.fill(shape, solid(faceBottom), 0.6);
        c.fill(ring(shape, 1), solid(accent), 0.55);
    }
    Sdf mark = circle(6, cy, 3.9);
    c.fill(mark, solid(groove));
    c.fill(ring(mark, 1.2), solid(state == State::Normal ? dimGlyph : accent));
    if (state == State::Down) {
        c.fill(circle(6, cy, 2.0), solid(accent));
        c.fill(circle(5.7, cy - 0.4, 0.9), solid(accentLight), 0.8);
    }
    return c.keyed(under(page, at, w, h));
}

Bitmap swapFace(const Bitmap& page, State state) {
    Canvas c(25, 13);
    Box track{0.5, 0.5, 24.5, 12.5};
    Sdf shape = roundRect(track, 6);
    bool on = state == State::Down;
    c.fill(shape, on ? vertical(accent, accentDeep, 0, 13) : solid(groove));
    c.fill(ring(shape, 1), solid(on                      ? Rgb{150, 62, 14}
                                 : state == State::Hover ? accent
                                                         : faceEdge));
    double knobX = on ? 18.5 : 6.5;
    c.fill(circle(knobX, 6.5, 4.2), solid(on ? white : state == State::Hover ? glyph : dimGlyph));
    return c.keyed(under(page, layout::swapOnButton, 25, 13));
}

Bitmap onePageFace(const Bitmap& page, State state) {
    return plateFace(page, layout::onePageButton, 87, 25, {0.5, 1.5, 86.5, 23.5}, 5, 0, state);
}

} // namespace

SkinImages captionButtons(const Bitmap& main) {
    using layout::closeButton;
    using layout::minimiseButton;
    return {{151, captionFace(main, minimiseButton, false, State::Normal)},
            {152, captionFace(main, minimiseButton, false, State::Down)},
            {153, captionFace(main, minimiseButton, false, State::Hover)},
            {154, captionFace(main, closeButton, true, State::Normal)},
            {155, captionFace(main, closeButton, true, State::Down)},
            {156, captionFace(main, closeButton, true, State::Hover)}};
}

SkinImages pushButtons(const Bitmap& main) {
    return {{157, pushFace(main, State::Normal)},
            {158, pushFace(main, State::Down)},
            {159, pushFace(main, State::Hover)}};
}

SkinImages pageTabs(const Bitmap& main, const Bitmap& options) {
    return {{241, tabFace(options, layout::mainTab, 62, false)},
            {242, tabFace(options, layout::mainTab, 62, true)},
            {244, tabFace(main, layout::optionsTab, 75, false)},
            {245, tabFace(main, layout::optionsTab, 75, true)}};
}

SkinImages optionButtons(const Bitmap& main) {
    using layout::accelerationButton;
    using layout::rateButton;
    return {{224, optionFace(main, rateButton, 55, 26, State::Normal)},
            {225, optionFace(main, rateButton, 55, 26, State::Down)},
            {226, optionFace(main, rateButton, 55, 26, State::Hover)},
            {230, optionFace(main, accelerationButton, 66, 29, State::Normal)},
            {231, optionFace(main, accelerationButton, 66, 29, State::Down)},
            {232, optionFace(main, accelerationButton, 66, 29, State::Hover)}};
}

SkinImages swapSelectors(const Bitmap& main) {
    return {{227, swapFace(main, State::Normal)},
            {228, swapFace(main, State::Down)},
            {229, swapFace(main, State::Hover)}};
}

SkinImages onePageToggle(const Bitmap& main) {
    return {{193, onePageFace(main, State::Normal)},
            {195, onePageFace(main, State::Down)},
            {196, onePageFace(main, State::Hover)}};
}

SkinImages linkButtons() {
    return {{251, Bitmap(232, 25, kMagenta)}};
}
