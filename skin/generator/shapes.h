// Signed distance functions of the shapes the skin is drawn from (negative inside, in pixels).
#pragma once

#include "canvas.h"

#include <algorithm>
#include <cmath>

struct Box {
    double left, top, right, bottom;
    Box inset(double d) const { return {left + d, top + d, right - d, bottom - d}; }
    Box shifted(double dx, double dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

inline Sdf roundRect(Box b, double radius) {
    return [=](double x, double y) {
        double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
        double hx = b.width() / 2 - radius, hy = b.height() / 2 - radius;
        double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

inline Sdf circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

// A stroke of the given width along the segment, with round caps.
inline Sdf segment(double ax, double ay, double bx, double by, double width) {
    return [=](double x, double y) {
        double dx = bx - ax, dy = by - ay;
        double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0;
        return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - width / 2;
    };
}

// The band of a shape's outline, width pixels wide, lying inside the shape.
inline Sdf ring(Sdf shape, double width) {
    return [=](double x, double y) {
        double d = shape(x, y);
        return std::max(d, -d - width);
    };
}

inline Sdf unite(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

inline Sdf subtract(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

inline Sdf intersect(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
