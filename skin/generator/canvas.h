// Drawing surface of the skin generator: a premultiplied RGBA layer that shapes are blended
// onto with anti-aliased coverage, and the 8-bit RGB bitmap that becomes a skin resource.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);

inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kGreen{0, 255, 0};

// Final 24-bit image, rows top-down in memory.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3, red first

    Bitmap() = default;
    Bitmap(int w, int h, Rgb fill);
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    Bitmap crop(int x, int y, int w, int h) const; // outside pixels repeat the nearest edge
};

using Sdf = std::function<double(double x, double y)>; // signed distance, < 0 inside
using Paint = std::function<Rgb(double x, double y)>;  // colour at a pixel centre

inline Paint solid(Rgb c) {
    return [c](double, double) { return c; };
}
Paint vertical(Rgb top, Rgb bottom, double y0, double y1);

class Canvas {
  public:
    Canvas(int w, int h);
    int width() const { return width_; }
    int height() const { return height_; }

    // Blends paint over every pixel with the shape's coverage (one pixel of smooth edge).
    void fill(const Sdf& shape, const Paint& paint, double opacity = 1.0);
    void blend(int x, int y, Rgb c, double alpha);

    // Composites the layer over a backdrop of the same size.
    Bitmap over(const Bitmap& backdrop) const;
    // As over(), but pixels the layer barely touches become magenta (not drawn).
    Bitmap keyed(const Bitmap& backdrop, double threshold = 0.03) const;
    // The layer alone, four bytes a pixel (red first, then straight alpha): icons carry their
    // own transparency instead of a colour key.
    std::vector<uint8_t> rgba() const;

  private:
    size_t index(int x, int y) const { return size_t(y) * width_ + x; }
    int width_, height_;
    std::vector<Rgb> c_; // premultiplied colour
    std::vector<double> a_;
};
