#include "marks.h"

#include "theme.h"

void mouseMark(Canvas& c, Box body, double stroke) {
    using namespace theme;
    double mid = (body.left + body.right) / 2, h = body.height();
    double wheel = stroke * 0.57; // half the wheel's width
    c.fill(ring(roundRect(body, body.width() / 2), stroke), solid(accent));
    c.fill(segment(mid, body.top + wheel, mid, body.top + h * 0.37, stroke * 0.93), solid(accent));
    c.fill(roundRect({mid - wheel, body.top + h * 0.2, mid + wheel, body.top + h * 0.43}, wheel),
           solid(accentLight));
}
