// CComboBoxList: the drop-down of a CBitmapComboBox. A hidden tool window, reparented to the
// desktop so that it can extend below the dialog, which draws its items in 16-pixel rows,
// highlights the row under the pointer and holds the mouse capture while open.
#pragma once
#include "framework/font.h"
#include "framework/wnd.h"
#include <memory>
#include <string>

class CBitmapComboBox;
class CDC;

class CComboBoxList : public CWnd {
  public:
    static constexpr int kRowHeight = 16;
    static constexpr UINT kWindowId = 4100;

    explicit CComboBoxList(CBitmapComboBox* owner);
    ~CComboBoxList() override;

    // Appends an item at the tail; false when memory runs out.
    bool AddItem(const std::wstring& text, int data);
    int GetCount() const { return m_count; }
    int GetSelected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }
    // The text of item index, or an empty text for an index outside the list.
    std::wstring GetItemText(int index) const;

    void SetColors(COLORREF background, COLORREF border, COLORREF scrollTrack, COLORREF text,
                   COLORREF selection, COLORREF hoverText);

    void Open();
    void Close();

    int GetHoverIndex() const { return m_hoverIndex; }
    int GetTopIndex() const { return m_topIndex; }
    RECT GetHoverRect() const { return m_hoverRect; }

    DECLARE_MESSAGE_MAP()

  protected:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);

  private:
    struct Item {
        int data;
        std::wstring text;
        std::unique_ptr<Item> next;
    };

    struct Colours {
        COLORREF background = 0;
        COLORREF border = 0;
        COLORREF scrollTrack = 0;
        COLORREF text = 0;
        COLORREF selection = 0;
        COLORREF hoverText = 0;
    };

    void MoveBelowOwner() const;
    // The item index of the row under a client point, or -1.
    int HitRow(POINT point) const;
    // True when a client point lies over the owner box's window.
    bool IsOverOwner(POINT point) const;
    // Hides the list and releases the owner's pressed look (the capture is gone already).
    void Hide();
    void PickAndClose(int index);
    void Draw(CDC* dc);
    void UpdateHoverRect();
    void DrawRows(CDC* dc);

    CBitmapComboBox* m_owner;
    std::unique_ptr<Item> m_head;
    Item* m_tail = nullptr;
    int m_count = 0;
    int m_visibleRows = 0;
    int m_topIndex = 0;
    int m_selected = -1;
    int m_hoverIndex = -1;
    RECT m_clientRect = {};
    RECT m_itemArea = {};
    RECT m_hoverRect = {};
    CFont m_font;
    Colours m_colours;
};
