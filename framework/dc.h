// CDC: a device context. A DC made by CreateCompatibleDC is owned and deleted; one taken
// with Borrow (or the handle constructor) is only borrowed and never deleted here (unlike
// CGdiObject::Attach, which takes ownership). SelectObject returns the object it replaced so
// that callers put it back.
#pragma once
#include "framework/gdi_object.h"
#include <string>

class CWnd;

class CDC {
  public:
    CDC() = default;
    explicit CDC(HDC borrowed) : m_hDC(borrowed) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL CreateCompatibleDC(CDC* dc); // null: compatible with the screen
    BOOL DeleteDC();
    // Uses a DC that someone else owns; a DC owned before is deleted first.
    void Borrow(HDC borrowed);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(const CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ SelectStockObject(int index) { return SelectObject(GetStockObject(index)); }

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw,
                    int sh, DWORD rop);
    int DrawText(const std::wstring& text, RECT* rect, UINT format);
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL Rectangle(const RECT& rect) {
        return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

  protected:
    HDC m_hDC = nullptr;
    bool m_owned = false;
};

// The DC of a WM_PAINT: BeginPaint / EndPaint.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    explicit CPaintDC(HWND hwnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

  private:
    HWND m_hWnd;
};

// The client-area DC of a window: GetDC / ReleaseDC.
class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd); // null: the screen
    explicit CClientDC(HWND hwnd); // null: the screen
    ~CClientDC() override;

  private:
    HWND m_hWnd;
};
