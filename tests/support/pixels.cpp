#include "tests/support/pixels.h"

namespace {

SIZE clientSize(HWND window) {
    RECT client = {};
    ::GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

} // namespace

Canvas::Canvas(int width, int height) : m_width(width), m_height(height) {
    create();
}

Canvas::Canvas(HWND window) : m_width(clientSize(window).cx), m_height(clientSize(window).cy) {
    create();
    ::UpdateWindow(window);
    capture(window);
}

void Canvas::create() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_bitmap);
}

Canvas::~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
}

void Canvas::fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, m_width, m_height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
    GdiFlush();
}

COLORREF Canvas::at(int x, int y) const {
    GdiFlush();
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    uint32_t p =
        m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::capture(HWND window) {
    HDC source = GetDC(window);
    BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    GdiFlush();
}

int Canvas::count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (at(x, y) == colour) ++n;
    return n;
}

bool Canvas::all(const RECT& area, COLORREF colour) const {
    return count(area, colour) == (area.right - area.left) * (area.bottom - area.top);
}

std::vector<COLORREF> Canvas::pixels() const {
    std::vector<COLORREF> all;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            all.push_back(at(x, y));
    return all;
}
