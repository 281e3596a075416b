#include "tests/combo_box/combo_fixture.h"
#include "tests/support/pump.h"
#include "tests/support/real_mouse.h"

COLORREF colourOf(const combo_images::Image& image) {
    return RGB(image.colour.red, image.colour.green, image.colour.blue);
}

WindowPixels::WindowPixels(HWND window) {
    ::UpdateWindow(window);
    RECT client;
    ::GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && dib) {
        HGDIOBJ previous = ::SelectObject(memory, dib);
        ::BitBlt(memory, 0, 0, m_width, m_height, screen, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        m_bits.assign(pixels, pixels + static_cast<size_t>(m_width) * m_height);
        ::SelectObject(memory, previous);
    }
    if (dib) ::DeleteObject(dib);
    if (memory) ::DeleteDC(memory);
    ::ReleaseDC(window, screen);
}

COLORREF WindowPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_bits.empty()) return CLR_INVALID;
    uint32_t p = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int WindowPixels::count(const RECT& area, COLORREF colour) const {
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (at(x, y) == colour) ++found;
    return found;
}

std::vector<COLORREF> WindowPixels::all() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            pixels.push_back(at(x, y));
    return pixels;
}

std::vector<COLORREF> expectedCaption(const wchar_t* text, COLORREF background, COLORREF colour,
                                      int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = ::CreateFontW(14, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, CLEARTYPE_QUALITY, 0, L"Arial");
    HGDIOBJ oldBitmap = ::SelectObject(memory, dib);
    HGDIOBJ oldFont = ::SelectObject(memory, font);
    HBRUSH brush = ::CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    ::FillRect(memory, &all, brush);
    ::SetTextColor(memory, colour);
    ::SetBkMode(memory, TRANSPARENT);
    RECT rect = {5, 2, width, height};
    ::DrawTextW(memory, text, -1, &rect, DT_SINGLELINE);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* p = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(brush);
    ::DeleteObject(font);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    return pixels;
}

ComboFixture::ComboFixture() {
    moveTo(POINT{5, 900});
}

ComboFixture::~ComboFixture() {
    if (CWnd::GetCapture()) ::ReleaseCapture();
    // Park the pointer away from every test window.
    moveTo(POINT{5, 900});
}

void ComboFixture::createBox(std::initializer_list<const wchar_t*> items, int dropHeight) {
    RECT rect = {kBoxX, kBoxY, kBoxX + 65, kBoxY + 14};
    ASSERT_TRUE(box.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, kBoxId));
    box.SetDropHeight(dropHeight);
    HMODULE module = GetModuleHandleW(nullptr);
    ASSERT_TRUE(box.SetBitmaps(combo_images::kNormal.id, combo_images::kImage2.id,
                               combo_images::kActive.id, -1, -1, module));
    box.SetColors(kListBackground, kText, kBorder, RGB(247, 247, 247), RGB(1, 2, 3), kText);
    for (const wchar_t* item : items)
        ASSERT_EQ(box.AddString(item, 0), 1);
    pumpPending();
}

POINT ComboFixture::onBox(int x, int y) const {
    POINT point = {x, y};
    box.ClientToScreen(&point);
    return point;
}

POINT ComboFixture::onList(int x, int y) const {
    POINT point = {x, y};
    box.GetList()->ClientToScreen(&point);
    return point;
}

void ComboFixture::moveTo(POINT screen) {
    realMouse(0, screen);
}

void ComboFixture::press(POINT screen) {
    realMouse(MOUSEEVENTF_LEFTDOWN, screen);
}

void ComboFixture::release(POINT screen) {
    realMouse(MOUSEEVENTF_LEFTUP, screen);
}

void ComboFixture::click(POINT screen) {
    press(screen);
    release(screen);
}

void ComboFixture::wheel(POINT screen, int delta) {
    realMouse(MOUSEEVENTF_WHEEL, screen, delta);
}

bool ComboFixture::waitForHover(bool hover) {
    return pumpUntil([&] { return box.IsHover() == hover; }, 2000);
}

bool ComboFixture::listOpen() const {
    return box.GetList() && box.GetList()->IsWindowVisible();
}

std::vector<RecordedMessage> ComboFixture::selChanges() const {
    return parent.only(UWM_COMBO_SELCHANGE);
}
