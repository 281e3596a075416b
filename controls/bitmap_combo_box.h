// CBitmapComboBox: a skinned drop-down list. The box shows its Normal image (Active while
// pressed or hovered) with the selected item's text; a press opens its CComboBoxList. A new
// selection is reported to the parent with UWM_COMBO_SELCHANGE (index, the box's id).
#pragma once
#include "controls/combo_box_list.h"
#include "controls/hover_tracker.h"
#include "framework/bitmap.h"
#include "framework/font.h"
#include "framework/wnd.h"
#include <memory>
#include <string>

class CDC;

class CBitmapComboBox : public CWnd {
  public:
    // The caption font of the box and of its list.
    static constexpr int kFontHeight = 14;
    static constexpr const wchar_t* kFontFace = L"Arial";

    CBitmapComboBox();
    ~CBitmapComboBox() override;

    void SetDropHeight(int pixels) { m_dropHeight = pixels; }
    int GetDropHeight() const { return m_dropHeight; }
    // Image ids; -1 for image2, active or image4 means the normal id, -1 for image5 loads none.
    // Resizes the box to the Normal image and creates the (hidden) drop-down list.
    virtual BOOL SetBitmaps(int normal, int image2, int active, int image4, int image5,
                            HMODULE module);
    void SetColors(COLORREF background, COLORREF text, COLORREF border, COLORREF scrollTrack,
                   COLORREF selection, COLORREF hoverText);
    // Appends an item; 1 on success, 0 without a list (before SetBitmaps) or out of memory.
    int AddString(const std::wstring& text, int data = 0);
    // Selects index and always notifies the parent; an index outside [0, count) is ignored.
    void SetCurSel(int index, int flag = 1);
    int GetCurSel() const;
    int GetCount() const;

    CComboBoxList* GetList() const { return m_list.get(); }
    bool IsPressed() const { return m_pressed; }
    bool IsHover() const { return m_hoverTracker.IsHover(); }
    void SetPressed(bool pressed) { m_pressed = pressed; }
    // Sends UWM_COMBO_SELCHANGE for index to the parent.
    void NotifySelChange(int index) const;

    DECLARE_MESSAGE_MAP()

  protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnShowWindow(WPARAM, LPARAM);

  private:
    void CreateList();
    void Draw(CDC& dc);
    void DrawCaption(CDC* dc);

    int m_dropHeight = 100;
    CBitmap m_normal;
    CBitmap m_image2;
    CBitmap m_active;
    CBitmap m_image4;
    CBitmap m_image5;
    BITMAP m_imageBitmap = {};
    RECT m_clientRect = {};
    CFont m_font;
    COLORREF m_textColour = 0xCCCCCC;
    HoverTracker m_hoverTracker;
    bool m_pressed = false;
    std::wstring m_info;
    std::unique_ptr<CComboBoxList> m_list;
};
