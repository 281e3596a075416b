#include "canvas.h"

#include <algorithm>
#include <cmath>

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

static uint8_t toByte(double v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

Bitmap::Bitmap(int w, int h, Rgb fill) : width(w), height(h), rgb(size_t(w) * h * 3) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            set(x, y, fill);
}

Rgb Bitmap::at(int x, int y) const {
    const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    return {double(p[0]), double(p[1]), double(p[2])};
}

void Bitmap::set(int x, int y, Rgb c) {
    uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    p[0] = toByte(c.r);
    p[1] = toByte(c.g);
    p[2] = toByte(c.b);
}

Bitmap Bitmap::crop(int x0, int y0, int w, int h) const {
    Bitmap out(w, h, {});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.set(x, y, at(std::clamp(x0 + x, 0, width - 1), std::clamp(y0 + y, 0, height - 1)));
    return out;
}

Paint vertical(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](double, double y) {
        return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0));
    };
}

Canvas::Canvas(int w, int h) : width_(w), height_(h), c_(size_t(w) * h), a_(size_t(w) * h, 0.0) {}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
    alpha = std::min(alpha, 1.0);
    size_t i = index(x, y);
    c_[i] = {c.r * alpha + c_[i].r * (1 - alpha), c.g * alpha + c_[i].g * (1 - alpha),
             c.b * alpha + c_[i].b * (1 - alpha)};
    a_[i] = alpha + a_[i] * (1 - alpha);
}

void Canvas::fill(const Sdf& shape, const Paint& paint, double opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            double cx = x + 0.5, cy = y + 0.5;
            double coverage = std::clamp(0.5 - shape(cx, cy), 0.0, 1.0);
            if (coverage > 0) blend(x, y, paint(cx, cy), coverage * opacity);
        }
}

Bitmap Canvas::over(const Bitmap& backdrop) const {
    Bitmap out(width_, height_, {});
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            size_t i = index(x, y);
            Rgb d = backdrop.at(x, y);
            out.set(x, y,
                    {c_[i].r + d.r * (1 - a_[i]), c_[i].g + d.g * (1 - a_[i]),
                     c_[i].b + d.b * (1 - a_[i])});
        }
    return out;
}

Bitmap Canvas::keyed(const Bitmap& backdrop, double threshold) const {
    Bitmap out = over(backdrop);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (a_[index(x, y)] < threshold) out.set(x, y, kMagenta);
    return out;
}

std::vector<uint8_t> Canvas::rgba() const {
    std::vector<uint8_t> out(size_t(width_) * height_ * 4);
    for (size_t i = 0; i < a_.size(); ++i) {
        double a = a_[i];
        uint8_t* p = &out[i * 4];
        if (a > 0) {
            p[0] = toByte(c_[i].r / a);
            p[1] = toByte(c_[i].g / a);
            p[2] = toByte(c_[i].b / a);
        }
        p[3] = toByte(a * 255);
    }
    return out;
}
