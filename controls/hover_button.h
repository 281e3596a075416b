// CHoverButtonV2: the skinned owner-drawn button. It shows one skin image per state
// (disabled, checked, hover, normal), tracks the pointer for the hover image, flips a check
// state on each click in toggle mode, and draws a caption in a font and colour of its own.
#pragma once
#include "controls/background_snapshot.h"
#include "controls/hover_tracker.h"
#include "framework/bitmap.h"
#include "framework/bitmap_button.h"
#include "framework/font.h"
#include <string>

class CHoverButtonV2 : public CBitmapButton {
  public:
    DECLARE_MESSAGE_MAP()

    CHoverButtonV2() = default;
    ~CHoverButtonV2() override = default;

    // Image ids from module; −1 for disabled means the normal image, −1 for disabledChecked
    // the disabled one. hitMask and checkedHover are accepted and unused. A null module (or id
    // 0) is refused: nothing is loaded from it. The module has no default, so that no caller
    // can leave it out. The window takes the size of the normal image; without one it keeps
    // its creation size and falls back to a plain push button. Loading a slot again deletes
    // the image it held.
    virtual BOOL SetBitmaps(int normal, int down, int hover, int disabled, int hitMask,
                            int disabledChecked, int checkedHover, HMODULE module);
    void SetTextStyle(int height, const std::wstring& face, COLORREF normalColour,
                      COLORREF downColour, COLORREF hoverColour, COLORREF disabledColour, BOOL bold,
                      BOOL italic, BOOL underline, BOOL strikeOut);
    void SetCaption(const std::wstring& text) { m_caption = text; }
    const std::wstring& GetCaption() const { return m_caption; }
    // Absolute edges of the caption rectangle in button coordinates; 0 keeps the client edge.
    void SetTextMargins(int left, int top, int right, int bottom);
    // DrawText format; 0 means DT_CENTER | DT_VCENTER | DT_SINGLELINE.
    void SetTextFormat(UINT format) { m_textFormat = format; }
    void SetToggle(BOOL on) { m_toggle = on != FALSE; }
    void SetCheck(int state);
    int GetCheck() const { return m_checked; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

  protected:
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnKey(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);

  private:
    struct Look {
        const CBitmap* image;
        COLORREF colour;
    };
    Look CurrentLook() const;
    void DrawCaption(HDC dc, COLORREF colour);
    void FallBackToPushButton();

    CBitmap m_normal, m_down, m_hover, m_disabled, m_disabledChecked;
    int m_width = 0, m_height = 0;
    RECT m_clientRect = {};
    HoverTracker m_hoverTracker;
    bool m_toggle = false;
    int m_checked = 0;
    std::wstring m_caption;
    int m_fontHeight = 16;
    std::wstring m_fontFace = L"Arial";
    RECT m_textMargins = {};
    UINT m_textFormat = 0;
    COLORREF m_normalColour = 0xFFFFFF, m_downColour = 0xFFFFFF, m_hoverColour = 0xFFFFFF;
    COLORREF m_disabledColour = 0;
    CFont m_font;
    BackgroundSnapshot m_snapshot;
};
