// CBitmapSliderCtrl: the skinned horizontal slider. It holds a float value within a range,
// draws a channel image with a thumb blended over it through an alpha mask, lets the user
// drag the thumb (from the green area of its hit mask) or page it toward a press on the
// channel, and tells its parent with WM_COMMAND when the value may have changed.
#pragma once
#include "controls/background_snapshot.h"
#include "framework/bitmap.h"
#include "framework/wnd.h"
#include <string>

class CBitmapSliderCtrl : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()

    static constexpr UINT_PTR kPageTimerId = 111;
    static constexpr UINT kPageIntervalMs = 100;

    CBitmapSliderCtrl() = default;
    ~CBitmapSliderCtrl() override = default;

    void SetRange(float minimum, float maximum);
    // Takes effect at the next SetBitmaps.
    void SetThumbTop(int y) { m_thumbTop = y; }
    BOOL SetBitmaps(HMODULE module, int channel, int channelDisabled, int spare, int thumb,
                    int thumbAlpha, int thumbHitMask);
    void SetHitColour(COLORREF colour) { m_keyColour = colour; }
    // x coordinates between which the thumb's centre travels.
    void SetChannelSpan(int start, int end);
    void SetPageStep(int pixels) { m_pageStep = pixels; }
    // Moves the thumb to value x and notifies the parent; values outside the range are ignored.
    virtual void SetPos(float x);
    float GetPos() const { return m_value; }
    const RECT& GetThumbRect() const { return m_thumbRect; }

  protected:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

  private:
    int ThumbWidth() const { return m_thumbBitmap.bmWidth; }
    void Draw(HDC dc);
    void ValueFromThumb();
    void InvalidateThumbMove(const RECT& old);
    void Drag(int x);
    void PageStep();
    void NotifyParent();

    CBitmap m_channel, m_channelDisabled, m_spare, m_thumb, m_thumbAlpha, m_thumbHitMask;
    BITMAP m_channelBitmap = {}, m_thumbBitmap = {};
    RECT m_clientRect = {};
    RECT m_thumbRect = {};
    RECT m_downRect = {};
    int m_downX = 0, m_downY = 0;
    float m_value = 5.0f;
    float m_minimum = 1.0f, m_maximum = 10.0f;
    COLORREF m_keyColour = RGB(0, 255, 0);
    int m_channelStart = 0, m_channelEnd = 100;
    int m_thumbTop = 10;
    int m_pageStep = 20;
    UINT_PTR m_timerId = 0;
    bool m_stepped = false;
    bool m_pressed = false; // a press on the slider awaits its release
    std::wstring m_info;
    BackgroundSnapshot m_snapshot;
};
