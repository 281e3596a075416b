#include "tests/e2e/remote_window.h"

#include "app/window_layout.h"
#include "tests/support/real_mouse.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

constexpr DWORD kInputTimeoutMs = 3000;
// The skin's thumb is 13 pixels high and sits at the top of the slider's channel image.
constexpr int kThumbCentreY = 6;
// Rows of an open CPI list, from its top edge.
constexpr int kListRowHeight = 16;
// Below both windows: the main window at the screen's top-left corner, the panel beside it.
constexpr POINT kAway = {300, 700};

const layout::Control* rowOf(int controlId) {
    for (const layout::Control& row : layout::kControls)
        if (row.id == controlId) return &row;
    return nullptr;
}

const layout::Slider* sliderOf(int sliderId) {
    for (const layout::Slider& slider : layout::kSliders)
        if (slider.id == sliderId) return &slider;
    return nullptr;
}

struct ListSearch {
    DWORD process;
    HWND main, panel;
    int screenLeft;
    HWND found = nullptr;
};

BOOL CALLBACK matchList(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ListSearch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || window == search->main || window == search->panel ||
        !::IsWindowVisible(window))
        return TRUE;
    RECT r;
    ::GetWindowRect(window, &r);
    if (r.left != search->screenLeft) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

bool waitFor(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMilliseconds) return done();
        ::Sleep(20);
    }
    return true;
}

Shot Shot::part(const RECT& area) const {
    const int left = std::max(0, int(area.left)), top = std::max(0, int(area.top));
    const int right = std::min(m_width, int(area.right));
    const int bottom = std::min(m_height, int(area.bottom));
    if (right <= left || bottom <= top) return {};
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(right - left) * size_t(bottom - top));
    for (int y = top; y < bottom; ++y) {
        const auto row = m_pixels.begin() + std::ptrdiff_t(y) * m_width;
        pixels.insert(pixels.end(), row + left, row + right);
    }
    return Shot(right - left, bottom - top, std::move(pixels));
}

std::string Shot::differenceFrom(const Shot& other) const {
    if (m_width != other.m_width || m_height != other.m_height)
        return "sizes differ: " + std::to_string(m_width) + "x" + std::to_string(m_height) +
               " and " + std::to_string(other.m_width) + "x" + std::to_string(other.m_height);
    int count = 0;
    RECT box = {m_width, m_height, -1, -1};
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const size_t i = size_t(y) * size_t(m_width) + size_t(x);
            if (m_pixels[i] == other.m_pixels[i]) continue;
            ++count;
            box = {std::min(box.left, LONG(x)), std::min(box.top, LONG(y)),
                   std::max(box.right, LONG(x + 1)), std::max(box.bottom, LONG(y + 1))};
        }
    }
    if (!count) return "no pixel differs";
    char text[120];
    std::snprintf(text, sizeof(text), "%d pixels differ, within x %ld..%ld, y %ld..%ld", count,
                  long(box.left), long(box.right - 1), long(box.top), long(box.bottom - 1));
    return text;
}

void Shot::save(const std::filesystem::path& file) const {
    const int rowBytes = (m_width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + DWORD(rowBytes) * DWORD(m_height);
    info.biSize = sizeof(info);
    info.biWidth = m_width;
    info.biHeight = m_height; // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    std::vector<char> row(size_t(rowBytes), 0);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            const uint32_t p = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
            row[size_t(x) * 3] = char(p & 0xFF);
            row[size_t(x) * 3 + 1] = char((p >> 8) & 0xFF);
            row[size_t(x) * 3 + 2] = char((p >> 16) & 0xFF);
        }
        out.write(row.data(), std::streamsize(row.size()));
    }
}

RECT layoutRectOf(int controlId) {
    const layout::Control* row = rowOf(controlId);
    if (!row) return {};
    return {row->rect.left, row->rect.top, row->rect.right, row->rect.bottom};
}

int thumbChannelX(int sliderId, float value) {
    const layout::Slider* s = sliderOf(sliderId);
    if (!s) return 0;
    const double span = layout::kSliderChannelEnd - layout::kSliderChannelStart;
    // The slider's own rule: the travel truncated toward zero.
    const double travel =
        std::trunc(double(value - s->minimum) * span / double(s->maximum - s->minimum));
    return layout::kSliderChannelStart + int(travel);
}

RemoteWindow::RemoteWindow(const Program& program, bool withPanel) : m_withPanel(withPanel) {
    m_main = program.window(L"Glimmerhaus Pelko");
    if (withPanel) m_panel = program.window(L"Simulated Pelko");
    m_process = program.id();
    if (m_main) m_thread = ::GetWindowThreadProcessId(m_main, nullptr);
}

POINT RemoteWindow::onScreen(int x, int y) const {
    POINT point = {x, y};
    ::ClientToScreen(m_main, &point);
    return point;
}

RECT RemoteWindow::controlRect(int controlId) const {
    RECT r = {};
    ::GetWindowRect(::GetDlgItem(m_main, controlId), &r);
    ::MapWindowPoints(nullptr, m_main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT RemoteWindow::centreOf(int controlId) const {
    const RECT laid = layoutRectOf(controlId), made = controlRect(controlId);
    RECT r;
    if (!::IntersectRect(&r, &laid, &made)) r = laid;
    return onScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int RemoteWindow::controlAt(POINT screen) const {
    HWND window = ::WindowFromPoint(screen);
    if (!window || ::GetParent(window) != m_main) return 0;
    return ::GetDlgCtrlID(window);
}

HWND RemoteWindow::captureWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(m_thread, &info)) return nullptr;
    return info.hwndCapture;
}

HWND RemoteWindow::openListAt(int clientX) const {
    ListSearch search = {m_process, m_main, m_panel, int(onScreen(clientX, 0).x)};
    ::EnumWindows(matchList, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The pressed window takes the capture (a button, a dragged thumb) when the press arrives and
// gives it back with the release: both are seen from here.
bool RemoteWindow::pressAndRelease(POINT down, POINT up, HWND target) {
    sendRealMouse(0, down);
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, down);
    if (!waitFor([&] { return captureWindow() == target; }, kInputTimeoutMs)) {
        sendRealMouse(MOUSEEVENTF_LEFTUP, down);
        return false;
    }
    if (up.x != down.x || up.y != down.y) {
        sendRealMouse(0, {(down.x + up.x) / 2, (down.y + up.y) / 2});
        sendRealMouse(0, up);
    }
    sendRealMouse(MOUSEEVENTF_LEFTUP, up);
    return waitFor([&] { return captureWindow() != target; }, kInputTimeoutMs);
}

bool RemoteWindow::click(POINT screen) {
    return pressAndRelease(screen, screen, ::WindowFromPoint(screen));
}

bool RemoteWindow::clickControl(int controlId) {
    const POINT centre = centreOf(controlId);
    if (controlAt(centre) != controlId) return false;
    return click(centre);
}

bool RemoteWindow::pickListRow(int listId, int row) {
    const POINT box = centreOf(listId);
    if (controlAt(box) != listId) return false;
    // The press opens the list, which takes the capture; the release over the box keeps it
    // open.
    const int left = layoutRectOf(listId).left;
    sendRealMouse(0, box);
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, box);
    HWND list = nullptr;
    waitFor(
        [&] {
            list = openListAt(left);
            return list && captureWindow() == list;
        },
        kInputTimeoutMs);
    sendRealMouse(MOUSEEVENTF_LEFTUP, box);
    if (!list || captureWindow() != list) return false;
    RECT r;
    ::GetWindowRect(list, &r);
    const POINT pick = {(r.left + r.right) / 2, r.top + row * kListRowHeight + kListRowHeight / 2};
    sendRealMouse(0, pick);
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, pick);
    sendRealMouse(MOUSEEVENTF_LEFTUP, pick);
    return waitFor([&] { return !::IsWindowVisible(list) && captureWindow() != list; },
                   kInputTimeoutMs);
}

int RemoteWindow::thumbShownAt(int sliderId) const {
    // The thumb is the only thing in the accent colour on its centre row: the channel's
    // detent mark lies below it.
    auto accent = [](uint32_t pixel) {
        const int red = int(pixel >> 16 & 0xFF), green = int(pixel >> 8 & 0xFF);
        const int blue = int(pixel & 0xFF);
        return red > 160 && red - blue > 90 && green > 50 && green < 190;
    };
    // The slider's window, which is wider than its layout rectangle: the thumb at the channel's
    // end reaches past that.
    const RECT r = controlRect(sliderId);
    const Shot row = shotOf({r.left, r.top + kThumbCentreY, r.right, r.top + kThumbCentreY + 1});
    int first = -1, last = -1;
    for (int x = 0; x < row.width(); ++x) {
        if (!accent(row.at(x, 0))) continue;
        if (first < 0) first = x;
        last = x;
    }
    return first < 0 ? -1 : (first + last) / 2;
}

bool RemoteWindow::dragThumb(int sliderId, int fromChannelX, int toChannelX) {
    const RECT r = layoutRectOf(sliderId);
    const POINT down = onScreen(r.left + fromChannelX, r.top + kThumbCentreY);
    if (controlAt(down) != sliderId) return false;
    return pressAndRelease(down, onScreen(r.left + toChannelX, r.top + kThumbCentreY),
                           ::WindowFromPoint(down));
}

bool RemoteWindow::clickChannel(int sliderId, int channelX) {
    const RECT r = layoutRectOf(sliderId);
    const POINT at = onScreen(r.left + channelX, r.top + kThumbCentreY);
    if (controlAt(at) != sliderId) return false;
    sendRealMouse(0, at);
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, at);
    sendRealMouse(MOUSEEVENTF_LEFTUP, at);
    return true;
}

bool RemoteWindow::closeListWithClickAway(HWND list) {
    sendRealMouse(0, kAway);
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, kAway);
    sendRealMouse(MOUSEEVENTF_LEFTUP, kAway);
    return waitFor([&] { return !::IsWindowVisible(list) && captureWindow() != list; },
                   kInputTimeoutMs);
}

bool RemoteWindow::clickPanelButton(int buttonId) {
    HWND button = ::GetDlgItem(m_panel, buttonId);
    RECT r;
    if (!button || !::GetWindowRect(button, &r)) return false;
    // The button lies inside a group box, which WindowFromPoint in another process returns:
    // the box's hit test, which lets the press through to the button, runs in the panel's.
    const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return pressAndRelease(centre, centre, button);
}

void RemoteWindow::pointerAway() const {
    sendRealMouse(0, kAway);
}

Shot RemoteWindow::shot() const {
    RECT client;
    ::GetClientRect(m_main, &client);
    const POINT origin = onScreen(0, 0);
    const int width = client.right, height = client.bottom;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + size_t(width) * size_t(height));
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return Shot(width, height, std::move(pixels));
}

Shot RemoteWindow::settledShot(DWORD timeoutMilliseconds) const {
    // Alike over 300 ms: a repaint in progress, or a hover face fading after a leave, shows as
    // a change between two of them.
    constexpr int kAlike = 6;
    constexpr DWORD kGapMs = 60;
    const DWORD start = ::GetTickCount();
    Shot last = shot();
    int alike = 1;
    while (::GetTickCount() - start < timeoutMilliseconds) {
        ::Sleep(kGapMs);
        Shot now = shot();
        alike = now == last ? alike + 1 : 1;
        if (alike >= kAlike) return now;
        last = std::move(now);
    }
    return {};
}

Shot RemoteWindow::shotOf(const RECT& client) const {
    return shot().part(client);
}

bool RemoteWindow::waitForChange(const RECT& client, const Shot& before,
                                 DWORD timeoutMilliseconds) const {
    return waitFor([&] { return shotOf(client) != before; }, timeoutMilliseconds);
}
