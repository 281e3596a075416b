#include "controls/hover_button.h"
#include "controls/skin_image.h"
#include <windowsx.h>

namespace {

constexpr UINT kDefaultTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE; // 37

} // namespace

BEGIN_MESSAGE_MAP(CHoverButtonV2, CBitmapButton)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_MESSAGE(WM_KEYDOWN, OnKey)
ON_MESSAGE(WM_KEYUP, OnKey)
ON_MESSAGE(WM_CHAR, OnKey)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_PAINT, OnPaint)
END_MESSAGE_MAP()

BOOL CHoverButtonV2::SetBitmaps(int normal, int down, int hover, int disabled, int /*hitMask*/,
                                int disabledChecked, int /*checkedHover*/, HMODULE module) {
    GetClientRect(&m_clientRect);
    if (disabled == -1) disabled = normal;
    if (disabledChecked == -1) disabledChecked = disabled;

    LoadSkinImage(m_normal, module, static_cast<UINT>(normal));
    LoadSkinImage(m_down, module, static_cast<UINT>(down));
    LoadSkinImage(m_hover, module, static_cast<UINT>(hover));
    LoadSkinImage(m_disabled, module, static_cast<UINT>(disabled));
    LoadSkinImage(m_disabledChecked, module, static_cast<UINT>(disabledChecked));
    SIZE size = SkinImageSize(m_normal);
    m_width = size.cx;
    m_height = size.cy;
    // Without a Normal image the button keeps its creation size, so that the plain
    // push-button face it falls back to can be seen and clicked (a 0 × 0 window could not).
    if (!m_width || !m_height) return TRUE;
    SetWindowPos(nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOOWNERZORDER);
    // The caption rectangle is the client area after this resize, not the creation
    // rectangle: that one would centre (and clip) the caption in an area the image may not
    // cover.
    GetClientRect(&m_clientRect);
    return TRUE;
}

void CHoverButtonV2::SetTextStyle(int height, const std::wstring& face, COLORREF normalColour,
                                  COLORREF downColour, COLORREF hoverColour,
                                  COLORREF disabledColour, BOOL bold, BOOL italic, BOOL underline,
                                  BOOL strikeOut) {
    m_fontHeight = height;
    m_fontFace = face;
    m_normalColour = normalColour;
    m_downColour = downColour;
    m_hoverColour = hoverColour;
    m_disabledColour = disabledColour;
    m_font.DeleteObject();
    m_font.CreateSkinFont(height, bold ? FW_BOLD : 0, static_cast<BYTE>(italic != FALSE),
                          static_cast<BYTE>(underline != FALSE),
                          static_cast<BYTE>(strikeOut != FALSE), m_fontFace.c_str());
}

void CHoverButtonV2::SetTextMargins(int left, int top, int right, int bottom) {
    m_textMargins = RECT{left, top, right, bottom};
}

void CHoverButtonV2::SetCheck(int state) {
    m_checked = state;
    Invalidate(TRUE);
}

LRESULT CHoverButtonV2::OnMouseMove(WPARAM, LPARAM) {
    m_hoverTracker.OnMouseMove(m_hWnd);
    return Default();
}

LRESULT CHoverButtonV2::OnMouseHover(WPARAM, LPARAM) {
    m_hoverTracker.OnHover();
    Invalidate(TRUE);
    return 0;
}

LRESULT CHoverButtonV2::OnMouseLeave(WPARAM, LPARAM) {
    m_hoverTracker.OnLeave();
    Invalidate(TRUE);
    return 0;
}

LRESULT CHoverButtonV2::OnLButtonDown(WPARAM, LPARAM) {
    return Default(); // the system button captures the mouse
}

LRESULT CHoverButtonV2::OnLButtonUp(WPARAM, LPARAM lParam) {
    // Flip before the system button sends BN_CLICKED, so that the parent's handler reads the
    // new state. The flip follows the same rule as BN_CLICKED (a press that began on this
    // button, released over its whole window), so state and notification always agree.
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(&client);
    if (m_toggle && GetCapture() == m_hWnd && PtInRect(&client, point)) {
        m_checked = m_checked ? 0 : 1;
        Invalidate(TRUE);
    }
    return Default();
}

// The button does not keep the focus that the system button takes on a press (keys would
// then click it: Space): the focus goes back to the window that had it, or to the parent.
// A dialog whose saved focus control is this button hands it straight back (the dialog
// manager gives the focus to its first control when no control is a tab stop): the button
// then keeps it, without focus look, and its keys still do nothing.
LRESULT CHoverButtonV2::OnSetFocus(WPARAM wParam, LPARAM) {
    static bool handingBack = false;
    if (handingBack) return 0;
    HWND previous = reinterpret_cast<HWND>(wParam);
    HWND target =
        (previous && previous != m_hWnd && ::IsWindow(previous)) ? previous : GetParentHwnd();
    handingBack = true;
    ::SetFocus(target);
    handingBack = false;
    return 0; // no focus look
}

LRESULT CHoverButtonV2::OnKillFocus(WPARAM, LPARAM) {
    return 0; // no focus look, and a press in progress keeps the capture
}

// Keys reaching the button do nothing. Enter and Escape reach the dialog through its
// message loop before any dispatch.
LRESULT CHoverButtonV2::OnKey(WPARAM, LPARAM) {
    return 0;
}

LRESULT CHoverButtonV2::OnEraseBkgnd(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CHoverButtonV2::OnTimer(WPARAM, LPARAM) {
    return 0;
}

LRESULT CHoverButtonV2::OnPaint(WPARAM, LPARAM) {
    // The snapshot is taken before the system button's paint: that one may fill the client
    // area with the button colour before it sends WM_DRAWITEM.
    if (m_width && m_height) m_snapshot.Take(*this);
    return Default(); // the system button sends WM_DRAWITEM, reflected to DrawItem
}

CHoverButtonV2::Look CHoverButtonV2::CurrentLook() const {
    if (!IsWindowEnabled()) return {m_checked ? &m_disabledChecked : &m_disabled, m_disabledColour};
    if (m_checked) return {&m_down, m_downColour};
    if (m_hoverTracker.IsHover()) return {&m_hover, m_hoverColour};
    return {&m_normal, m_normalColour};
}

void CHoverButtonV2::FallBackToPushButton() {
    DWORD style = GetStyle();
    DWORD plain = style & ~static_cast<DWORD>(0x000B);
    SendMessage(BM_SETSTYLE, plain, TRUE);
}

void CHoverButtonV2::DrawItem(DRAWITEMSTRUCT* item) {
    if (m_width == 0 || m_height == 0) {
        FallBackToPushButton();
        return;
    }
    HDC dc = item->hDC;
    RECT client;
    GetClientRect(&client);
    m_snapshot.Take(*this);
    m_snapshot.Draw(dc, client.right, client.bottom);
    Look look = CurrentLook();
    TransparentCopy(dc, *look.image, m_width, m_height);
    if (!m_caption.empty()) DrawCaption(dc, look.colour);
}

void CHoverButtonV2::DrawCaption(HDC dc, COLORREF colour) {
    ScopedTextStyle style(dc, colour, TRANSPARENT);
    ScopedSelection font(dc, m_font.GetSafeHandle());
    // The margins are absolute edges; a zero margin keeps the client rectangle's edge.
    RECT text = m_clientRect;
    if (m_textMargins.left) text.left = m_textMargins.left;
    if (m_textMargins.top) text.top = m_textMargins.top;
    if (m_textMargins.right) text.right = m_textMargins.right;
    if (m_textMargins.bottom) text.bottom = m_textMargins.bottom;
    ::DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &text,
                m_textFormat ? m_textFormat : kDefaultTextFormat);
}
