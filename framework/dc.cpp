#include "framework/dc.h"
#include "framework/wnd.h"

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    if (!m_hDC) return FALSE;
    m_owned = true;
    GdiLiveAdjust(1);
    return TRUE;
}

BOOL CDC::DeleteDC() {
    HDC dc = m_hDC;
    bool owned = m_owned;
    m_hDC = nullptr;
    m_owned = false;
    if (!dc || !owned) return FALSE;
    GdiLiveAdjust(-1);
    return ::DeleteDC(dc);
}

void CDC::Borrow(HDC borrowed) {
    DeleteDC();
    m_hDC = borrowed;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    if (m_owned) GdiLiveAdjust(-1);
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

HGDIOBJ CDC::SelectObject(const CGdiObject* object) {
    return SelectObject(object ? object->GetSafeHandle() : nullptr);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    return (m_hDC && object) ? ::SelectObject(m_hDC, object) : nullptr;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw,
                     int sh, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, sw,
                        sh, rop);
}

int CDC::DrawText(const std::wstring& text, RECT* rect, UINT format) {
    return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), rect, format);
}

CPaintDC::CPaintDC(CWnd* wnd) : CPaintDC(wnd->m_hWnd) {}

CPaintDC::CPaintDC(HWND hwnd) : m_hWnd(hwnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* wnd) : CClientDC(wnd ? wnd->m_hWnd : nullptr) {}

CClientDC::CClientDC(HWND hwnd) : m_hWnd(hwnd) {
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
