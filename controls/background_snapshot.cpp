#include "controls/background_snapshot.h"

BackgroundSnapshot::~BackgroundSnapshot() {
    Release();
}

void BackgroundSnapshot::Release() {
    m_selection.reset();
    m_dc.DeleteDC();
    m_bitmap.DeleteObject();
}

bool BackgroundSnapshot::Take(const CWnd& control) {
    if (Exists()) return true;
    HWND parent = control.GetParentHwnd();
    CClientDC parentDc(parent);
    if (!parentDc.GetSafeHdc()) return false;
    RECT client = {}, window = {};
    control.GetClientRect(&client);
    control.GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    if (client.right <= 0 || client.bottom <= 0) return false;

    if (!m_dc.CreateCompatibleDC(&parentDc) ||
        !m_bitmap.CreateCompatibleBitmap(&parentDc, client.right, client.bottom)) {
        Release();
        return false;
    }
    m_selection.emplace(m_dc, m_bitmap.GetSafeHandle());
    if (!m_selection->ok()) {
        Release();
        return false;
    }
    ::BitBlt(m_dc, 0, 0, client.right, client.bottom, parentDc, window.left, window.top, SRCCOPY);
    return true;
}

BOOL BackgroundSnapshot::Draw(HDC dest, int width, int height) {
    if (!Exists()) return FALSE;
    return ::BitBlt(dest, 0, 0, width, height, m_dc, 0, 0, SRCCOPY);
}
