// The two page backgrounds: window outline cut with magenta, title strip, settings cards with
// their group dividers, and the tray of buttons at the bottom. No text: the program paints it.
#include "marks.h"
#include "skin_images.h"
#include "theme.h"

#include <cmath>

namespace {

using namespace theme;

Box box(double l, double t, double r, double b) {
    return {l, t, r, b};
}

void horizontalRule(Canvas& c, double x0, double x1, double y, Rgb colour, double opacity = 1) {
    c.fill(roundRect(box(x0, y, x1, y + 1), 0), solid(colour), opacity);
}

void windowFrame(Canvas& c, int w, int h) {
    Sdf outline = roundRect(box(0, 0, w, h), layout::cornerRadius);
    c.fill(outline, vertical(windowTop, windowBottom, 0, h));
    c.fill(intersect(outline, roundRect(box(0, 0, w, layout::titleHeight), 0)),
           vertical(titleTop, titleBottom, 0, layout::titleHeight));
    // The title strip ends in a dark seam with an accent glow that fades to the right.
    horizontalRule(c, 1, w - 1, layout::titleHeight, shadow);
    for (int x = 1; x < w - 1; ++x) {
        double fade = std::exp(-x / 170.0);
        c.blend(x, layout::titleHeight, accent, 0.85 * fade);
        c.blend(x, layout::titleHeight + 1, accent, 0.18 * fade);
    }
    c.fill(ring(outline, 1), solid(windowEdge));
}

// A small mouse mark at the left of the title strip.
void titleMark(Canvas& c) {
    mouseMark(c, box(10.5, 5, 21.5, 20), 1.4);
}

void card(Canvas& c, Box b) {
    Sdf shape = roundRect(b, 6);
    c.fill(shape, vertical(cardTop, cardBottom, b.top, b.bottom));
    c.fill(ring(shape, 1), solid(cardEdge));
    c.fill(intersect(ring(roundRect(b.inset(1), 5), 1),
                     roundRect(box(b.left, b.top, b.right, b.top + 3), 0)),
           solid(cardHighlight), 0.7);
}

void divider(Canvas& c, Box cardBox, double y, double right = 0) {
    double end = right > 0 ? right : cardBox.right - 10;
    horizontalRule(c, cardBox.left + 10, end, y, groove);
    horizontalRule(c, cardBox.left + 10, end, y + 1, cardHighlight, 0.35);
}

// The line under the heading row, with an accent bar under each heading label.
void headerRule(Canvas& c, int w, Box first, Box second) {
    horizontalRule(c, 4, w - 4, layout::headerRuleY, cardEdge);
    for (Box heading : {first, second})
        c.fill(roundRect(box(heading.left, layout::headerRuleY - 2, heading.right,
                             layout::headerRuleY + 1),
                         1),
               solid(accent));
}

void tray(Canvas& c, Box b) {
    Sdf shape = roundRect(b, 6);
    c.fill(shape, solid(groove), 0.75);
    c.fill(ring(shape, 1), solid(shadow), 0.8);
    c.fill(intersect(ring(roundRect(b.shifted(0, 1), 6), 1),
                     roundRect(box(b.left, b.bottom - 4, b.right, b.bottom + 2), 0)),
           solid(cardHighlight), 0.35);
}

void bottomBar(Canvas& c, int w, int h) {
    c.fill(
        intersect(roundRect(box(1, layout::bottomBarTop, w - 1, h - 1), layout::cornerRadius - 1),
                  roundRect(box(0, layout::bottomBarTop, w, h), 0)),
        vertical({27, 28, 31}, {19, 20, 22}, layout::bottomBarTop, h));
    horizontalRule(c, 1, w - 1, layout::bottomBarTop - 1, shadow);
    horizontalRule(c, 1, w - 1, layout::bottomBarTop, cardEdge, 0.6);
    tray(c, layout::profileTray);
    tray(c, layout::commitTray);
}

// A mouse outline with one button lit: the primary button of each swap choice.
void mouseGlyph(Canvas& c, double x, double y, bool rightLit) {
    Box body = box(x, y, x + 11, y + 16);
    Sdf shape = roundRect(body, 5.5);
    double mid = x + 5.5, split = y + 6.5;
    Box lit = rightLit ? box(mid + 0.6, y, x + 11, split) : box(x, y, mid - 0.6, split);
    c.fill(intersect(roundRect(body.inset(1.2), 4.3), roundRect(lit, 0)), solid(accent));
    c.fill(ring(shape, 1.2), solid(glyph));
    c.fill(segment(mid, y + 0.8, mid, split, 1.1), solid(glyph));
    c.fill(segment(x + 0.8, split, x + 10.2, split, 1.1), solid(glyph));
}

// A faint top view of the mouse: the brand mark in the spare corner of a card.
void productMark(Canvas& c, Box b) {
    double w = b.width(), h = b.height(), mid = b.left + w / 2;
    Sdf body = roundRect(b, w / 2);
    c.fill(body, vertical(mix(cardTop, glyph, 0.08), cardBottom, b.top, b.bottom));
    c.fill(ring(body, 1.4), solid(glyph), 0.3);
    double split = b.top + h * 0.4;
    c.fill(intersect(body, segment(b.left, split, b.right, split, 1.2)), solid(glyph), 0.3);
    c.fill(segment(mid, b.top + 1, mid, split, 1.2), solid(glyph), 0.3);
    Box wheel{mid - 2.6, b.top + h * 0.12, mid + 2.6, b.top + h * 0.29};
    c.fill(roundRect(wheel, 2.6), solid(groove));
    c.fill(ring(roundRect(wheel, 2.6), 1.2), solid(accent), 0.75);
    // Light strips along both flanks.
    Box flanks{b.left, b.top + h * 0.46, b.right, b.top + h * 0.72};
    c.fill(intersect(ring(roundRect(b.inset(2.2), w / 2 - 2.2), 1.3), roundRect(flanks, 0)),
           solid(accent), 0.7);
}

void mainPage(Canvas& c) {
    using layout::leftCard;
    using layout::rightCard;
    divider(c, leftCard, 123);
    divider(c, leftCard, 186);
    divider(c, rightCard, 126);
    divider(c, rightCard, 186);
    mouseGlyph(c, layout::swapOnButton.x - 16, layout::swapOnButton.y - 2, true);
    mouseGlyph(c, layout::swapOffButton.x - 16, layout::swapOffButton.y - 2, false);
    productMark(c, {198, 196, 236, 268});
}

// A row behind each link caption, led by an arrow that points out of the window.
void linkRow(Canvas& c, double y) {
    Box row = box(layout::rightCard.left + 10, y, layout::rightCard.right - 10, y + 25);
    c.fill(roundRect(row, 5), solid(groove), 0.45);
    c.fill(ring(roundRect(row, 5), 1), solid(cardEdge), 0.6);
    double gx = row.left + 12, gy = y + 12.5;
    c.fill(segment(gx - 3.5, gy + 3.5, gx + 3.5, gy - 3.5, 1.5), solid(accent));
    c.fill(segment(gx - 0.5, gy - 3.5, gx + 3.5, gy - 3.5, 1.5), solid(accent));
    c.fill(segment(gx + 3.5, gy - 3.5, gx + 3.5, gy + 0.5, 1.5), solid(accent));
}

void optionsPage(Canvas& c) {
    // The version rows stop short of the brand mark beside them.
    divider(c, layout::leftCard, 112, 160);
    divider(c, layout::leftCard, 162, 160);
    productMark(c, {178, 76, 216, 148});
    for (auto link : {layout::productLink, layout::downloadsLink, layout::supportLink})
        linkRow(c, link.y);
}

} // namespace

Bitmap pageBackground(Page page, int width, int height) {
    Canvas c(width, height);
    windowFrame(c, width, height);
    titleMark(c);
    bool isMain = page == Page::Main;
    headerRule(c, width, isMain ? layout::hardwareHeading : layout::aboutHeading,
               isMain ? layout::windowsHeading : layout::linksHeading);
    card(c, layout::leftCard);
    card(c, layout::rightCard);
    if (isMain)
        mainPage(c);
    else
        optionsPage(c);
    bottomBar(c, width, height);
    // Outside the rounded outline nothing is drawn: the window shape is cut there.
    return c.keyed(Bitmap(width, height, {}), 0.5);
}
