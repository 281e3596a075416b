#include "controls/bitmap_slider.h"
#include "controls/control_messages.h"
#include "controls/skin_image.h"
#include "framework/dc.h"
#include <algorithm>
#include <cmath>
#include <windowsx.h>

namespace {

RECT inflated(const RECT& rect) {
    return RECT{rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1};
}

void loadInto(CBitmap& slot, HMODULE module, int id) {
    LoadSkinImage(slot, module, static_cast<UINT>(id));
}

} // namespace

BEGIN_MESSAGE_MAP(CBitmapSliderCtrl, CWnd)
ON_MESSAGE(WM_CREATE, OnCreate)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
ON_MESSAGE(WM_TIMER, OnTimer)
END_MESSAGE_MAP()

void CBitmapSliderCtrl::SetRange(float minimum, float maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

void CBitmapSliderCtrl::SetChannelSpan(int start, int end) {
    m_channelStart = start;
    m_channelEnd = end;
}

BOOL CBitmapSliderCtrl::SetBitmaps(HMODULE module, int channel, int channelDisabled, int spare,
                                   int thumb, int thumbAlpha, int thumbHitMask) {
    GetClientRect(&m_clientRect);
    loadInto(m_channel, module, channel);
    loadInto(m_channelDisabled, module, channelDisabled);
    loadInto(m_spare, module, spare);
    loadInto(m_thumb, module, thumb);
    loadInto(m_thumbAlpha, module, thumbAlpha);
    loadInto(m_thumbHitMask, module, thumbHitMask);
    m_thumbBitmap = {};
    m_thumb.GetBitmap(&m_thumbBitmap);
    m_thumbRect.top = m_thumbTop;
    m_thumbRect.bottom = m_thumbTop + m_thumbBitmap.bmHeight;
    m_channelBitmap = {};
    m_channel.GetBitmap(&m_channelBitmap);
    SetWindowPos(nullptr, 0, 0, m_channelBitmap.bmWidth, m_channelBitmap.bmHeight,
                 SWP_NOMOVE | SWP_NOOWNERZORDER);
    GetClientRect(&m_clientRect);
    return TRUE;
}

void CBitmapSliderCtrl::SetPos(float x) {
    if (!(m_minimum <= x && x <= m_maximum)) return; // also refuses NaN
    m_value = x;
    RECT old = m_thumbRect;
    float offset = x - m_minimum;
    float range = m_maximum - m_minimum;
    // An empty range holds only its minimum, at the channel start (no division by zero).
    int travel = range > 0.0f ? static_cast<int>(std::trunc(static_cast<double>(offset) *
                                                            (m_channelEnd - m_channelStart) /
                                                            static_cast<double>(range)))
                              : 0;
    m_thumbRect.left = m_channelStart + travel - ThumbWidth() / 2;
    m_thumbRect.right = m_thumbRect.left + ThumbWidth();
    InvalidateRect(&old, TRUE);
    InvalidateRect(&m_thumbRect, TRUE);
    NotifyParent();
}

void CBitmapSliderCtrl::ValueFromThumb() {
    int span = m_channelEnd - m_channelStart;
    if (span == 0) { // an empty channel span holds only the minimum
        m_value = m_minimum;
        return;
    }
    int centre = m_thumbRect.left + ThumbWidth() / 2;
    double quotient = static_cast<double>(centre - m_channelStart) *
                      static_cast<double>(m_maximum - m_minimum) / span;
    m_value = static_cast<float>(quotient) + m_minimum;
}

void CBitmapSliderCtrl::InvalidateThumbMove(const RECT& old) {
    RECT now = inflated(m_thumbRect);
    InvalidateRect(&old, TRUE);
    InvalidateRect(&now, TRUE);
}

void CBitmapSliderCtrl::NotifyParent() {
    ::SendMessageW(GetParentHwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CBitmapSliderCtrl::OnCreate(WPARAM, LPARAM) {
    LRESULT result = Default();
    ValueFromThumb();
    return result;
}

LRESULT CBitmapSliderCtrl::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    const CBitmap& channel = IsWindowEnabled() ? m_channel : m_channelDisabled;
    TransparentCopy(reinterpret_cast<HDC>(wParam), channel, m_clientRect.right - m_clientRect.left,
                    m_clientRect.bottom - m_clientRect.top);
    return result;
}

LRESULT CBitmapSliderCtrl::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    Draw(dc);
    return 0;
}

// Draws the slider on a DC given by the caller (wParam).
LRESULT CBitmapSliderCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
    Draw(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CBitmapSliderCtrl::Draw(HDC dc) {
    RECT client;
    GetClientRect(&client);
    bool enabled = IsWindowEnabled();
    if (enabled) m_snapshot.Take(*this);
    m_snapshot.Draw(dc, client.right, client.bottom);
    if (!enabled) TransparentCopy(dc, m_channelDisabled, client.right, client.bottom);

    ImageDC thumb(dc, m_thumb);
    if (thumb.ok())
        AlphaMaskBlt(thumb, dc, m_thumbRect.left, m_thumbRect.top,
                     m_thumbRect.right - m_thumbRect.left, m_thumbRect.bottom - m_thumbRect.top,
                     m_thumbBitmap.bmWidth, m_thumbBitmap.bmHeight, m_thumbAlpha);
}

LRESULT CBitmapSliderCtrl::OnLButtonDown(WPARAM, LPARAM lParam) {
    Default();
    m_downX = GET_X_LPARAM(lParam);
    m_downY = GET_Y_LPARAM(lParam);
    m_downRect = m_thumbRect;
    m_stepped = false;
    m_pressed = true;
    CClientDC dc(this);
    if (HitTestMask(dc, m_thumbHitMask, m_downX - m_thumbRect.left, m_downY - m_thumbRect.top,
                    m_keyColour))
        SetCapture(); // a drag begins
    else
        m_timerId = SetTimer(kPageTimerId, kPageIntervalMs); // paging starts at the first tick
    return 0;
}

LRESULT CBitmapSliderCtrl::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    Default();
    // Only a drag with the left button alone: no other button, no modifier key.
    if (GetCapture() == m_hWnd && wParam == MK_LBUTTON) Drag(GET_X_LPARAM(lParam));
    SendControlInfo(*this, m_info);
    return 0;
}

void CBitmapSliderCtrl::Drag(int x) {
    RECT old = inflated(m_thumbRect);
    int half = ThumbWidth() / 2;
    int clamped = std::max(m_channelStart - half, std::min(x, m_channelEnd + half));
    int delta = clamped - m_downX;
    if (delta < 0) {
        m_thumbRect.left = std::max<int>(m_downRect.left + delta, m_channelStart - half);
        m_thumbRect.right = m_thumbRect.left + ThumbWidth();
    } else {
        m_thumbRect.right = std::min<int>(m_downRect.right + delta, m_channelEnd + half);
        m_thumbRect.left = m_thumbRect.right - ThumbWidth();
    }
    InvalidateThumbMove(old);
    ValueFromThumb();
    m_stepped = true;
}

LRESULT CBitmapSliderCtrl::OnLButtonUp(WPARAM, LPARAM) {
    Default();
    // The parent hears of the release before the release's own page step.
    NotifyParent();
    if (GetCapture() == m_hWnd) ::ReleaseCapture();
    KillTimer(m_timerId);
    // Only the release of a press on this slider steps, as only such a release flips a hover
    // button: a stray one (pressed elsewhere) would page a fresh slider toward x = 0.
    if (m_pressed && !m_stepped) PageStep();
    m_pressed = false;
    return 0;
}

LRESULT CBitmapSliderCtrl::OnLButtonDblClk(WPARAM, LPARAM) {
    Default();
    PageStep();
    return 0;
}

LRESULT CBitmapSliderCtrl::OnTimer(WPARAM wParam, LPARAM) {
    if (m_timerId && wParam == m_timerId) PageStep();
    return 0;
}

void CBitmapSliderCtrl::PageStep() {
    int width = m_thumbRect.right - m_thumbRect.left;
    int half = width / 2;
    int endHalf = ThumbWidth() / 2;
    RECT old = inflated(m_thumbRect);
    int left;
    if (m_downX < m_thumbRect.left + half) { // press left of the centre
        if (m_thumbRect.left - m_pageStep > m_channelStart - endHalf) {
            left = std::max<int>(m_thumbRect.left - m_pageStep, m_downX - half);
        } else {
            left = std::max<int>(m_channelStart - endHalf, m_downX - half);
            KillTimer(m_timerId);
        }
    } else if (m_downX <= m_thumbRect.right - half) { // the centre has reached the press
        KillTimer(m_timerId);
        m_stepped = true;
        return;
    } else { // press right of the centre
        if (m_thumbRect.right - half + m_pageStep < m_channelEnd) {
            left = std::min<int>(m_thumbRect.left + m_pageStep, m_downX - half);
        } else {
            left = std::min(m_channelEnd, m_downX) - half;
            KillTimer(m_timerId);
        }
    }
    m_thumbRect.left = left;
    m_thumbRect.right = left + width;
    InvalidateThumbMove(old);
    ValueFromThumb();
    m_stepped = true;
}
