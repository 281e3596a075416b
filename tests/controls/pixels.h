// Exact pixel read-back for the controls' tests: a 32-bit DIB section in a memory DC, which
// does not depend on the screen's format.
#pragma once
#include "tests/controls/test_images.h"
#include <windows.h>

inline COLORREF colourOf(test_images::Rgb rgb) {
    return RGB(rgb.r, rgb.g, rgb.b);
}

class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void fill(COLORREF colour);
    COLORREF at(int x, int y) const;
    // Copies the client area of a window (from its window DC) to (0, 0).
    void capture(HWND window);
    // True when every pixel of [left, right) × [top, bottom) has the colour.
    bool all(const RECT& area, COLORREF colour) const;
    // How many pixels of the area have the colour.
    int count(const RECT& area, COLORREF colour) const;

  private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};
