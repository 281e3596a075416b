#include "controls/background_snapshot.h"

namespace {

// The client-area DC of a window given by handle (the parent need not be a framework window).
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~WindowDC() {
        if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return m_dc; }

  private:
    HWND m_hwnd;
    HDC m_dc;
};

} // namespace

BackgroundSnapshot::~BackgroundSnapshot() {
    Release();
}

void BackgroundSnapshot::Release() {
    if (m_previous) ::SelectObject(m_dc, m_previous);
    m_previous = nullptr;
    m_dc.DeleteDC();
    m_bitmap.DeleteObject();
}

bool BackgroundSnapshot::Take(const CWnd& control) {
    if (Exists()) return true;
    HWND parent = control.GetParentHwnd();
    WindowDC parentDc(parent);
    if (!parentDc.get()) return false;
    RECT client = {}, window = {};
    control.GetClientRect(&client);
    control.GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    if (client.right <= 0 || client.bottom <= 0) return false;

    CDC borrowed(parentDc.get());
    if (!m_dc.CreateCompatibleDC(&borrowed) ||
        !m_bitmap.CreateCompatibleBitmap(&borrowed, client.right, client.bottom)) {
        Release();
        return false;
    }
    m_previous = m_dc.SelectObject(&m_bitmap);
    ::BitBlt(m_dc, 0, 0, client.right, client.bottom, parentDc.get(), window.left, window.top,
             SRCCOPY);
    return true;
}

BOOL BackgroundSnapshot::Draw(HDC dest, int width, int height) {
    if (!Exists()) return FALSE;
    return ::BitBlt(dest, 0, 0, width, height, m_dc, 0, 0, SRCCOPY);
}
