// Exact pixel read-back for the tests: a 32-bit DIB section in a memory DC, which does not
// depend on the screen's format. It is also a DC a test owns, to draw on.
#pragma once
#include <cstdint>
#include <vector>
#include <windows.h>

class Canvas {
  public:
    Canvas(int width, int height);
    // A canvas of a window's client size holding its client pixels, read after the window
    // has painted what was pending.
    explicit Canvas(HWND window);
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
    // Every pixel, row by row from the top.
    std::vector<COLORREF> pixels() const;

  private:
    void create();

    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};
