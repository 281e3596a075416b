#include "controls/combo_box_list.h"
#include "controls/bitmap_combo_box.h"
#include "framework/brush.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"
#include "framework/double_buffer.h"
#include <algorithm>
#include <new>
#include <windowsx.h>

namespace {

constexpr int kTextInset = 5;
constexpr int kTextTop = 2;
constexpr int kHoverBarTop = 2;

POINT pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

BEGIN_MESSAGE_MAP(CComboBoxList, CWnd)
ON_MESSAGE(WM_CREATE, OnCreate)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

CComboBoxList::CComboBoxList(CBitmapComboBox* owner) : m_owner(owner) {
    m_font.CreateSkinFont(CBitmapComboBox::kFontHeight, 0, 0, 0, 0, CBitmapComboBox::kFontFace);
}

CComboBoxList::~CComboBoxList() {
    // Unlinked one by one: a recursive release of a long chain could exhaust the stack.
    while (m_head)
        m_head = std::move(m_head->next);
}

bool CComboBoxList::AddItem(const std::wstring& text, int data) {
    auto item = std::unique_ptr<Item>(new (std::nothrow) Item{data, {}, nullptr});
    if (!item) return false;
    try {
        item->text = text;
    } catch (const std::bad_alloc&) {
        return false;
    }
    Item* added = item.get();
    if (m_tail)
        m_tail->next = std::move(item);
    else
        m_head = std::move(item);
    m_tail = added;
    ++m_count;
    return true;
}

std::wstring CComboBoxList::GetItemText(int index) const {
    if (index < 0) return {};
    const Item* item = m_head.get();
    for (int i = 0; item && i < index; ++i)
        item = item->next.get();
    return item ? item->text : std::wstring();
}

void CComboBoxList::SetColors(COLORREF background, COLORREF border, COLORREF scrollTrack,
                              COLORREF text, COLORREF selection, COLORREF hoverText) {
    m_colours = {background, border, scrollTrack, text, selection, hoverText};
}

LRESULT CComboBoxList::OnCreate(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (m_owner) {
        // A window of the desktop can reach below the dialog's bottom edge.
        ::SetParent(m_hWnd, ::GetDesktopWindow());
        MoveBelowOwner();
    }
    GetClientRect(&m_clientRect);
    m_itemArea = m_clientRect;
    return result;
}

// Puts the list's top edge one pixel over the box's bottom edge, and raises it to the top of
// the z-order: a dialog raised after the list was made must not cover it.
void CComboBoxList::MoveBelowOwner() const {
    RECT box;
    m_owner->GetWindowRect(&box);
    SetWindowPos(HWND_TOP, box.left, box.bottom - 1, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CComboBoxList::Open() {
    m_hoverIndex = m_selected;
    SetCapture();
    if (m_owner && ::GetAncestor(m_hWnd, GA_PARENT) == ::GetDesktopWindow()) MoveBelowOwner();
    ShowWindow(SW_SHOW);
    SetFocus();
}

void CComboBoxList::Close() {
    ::ReleaseCapture();
    Hide();
}

void CComboBoxList::Hide() {
    ShowWindow(SW_HIDE);
    if (!m_owner) return;
    m_owner->SetPressed(false);
    m_owner->Invalidate(TRUE);
}

// An open list that loses the mouse capture (another window took it, or released it: the
// device watch's release sent to the other CPI box does) could take no more clicks: it
// closes, without a pick.
LRESULT CComboBoxList::OnCaptureChanged(WPARAM, LPARAM) {
    if (IsWindowVisible()) Hide();
    return 0;
}

int CComboBoxList::HitRow(POINT point) const {
    if (point.x < m_itemArea.left + 1 || point.x >= m_itemArea.right) return -1;
    if (point.y < m_itemArea.top) return -1;
    int index = (point.y - m_itemArea.top) / kRowHeight + m_topIndex;
    return index < m_count ? index : -1;
}

// The box's own window rectangle. The list overlaps the box's bottom pixel row, so a
// rectangle of the box's size laid above the item area would leave that row to the first
// item: a click on it would pick item 0.
bool CComboBoxList::IsOverOwner(POINT point) const {
    if (!m_owner) return false;
    RECT box;
    m_owner->GetWindowRect(&box);
    ClientToScreen(&point);
    return PtInRect(&box, point) != FALSE;
}

LRESULT CComboBoxList::OnEraseBkgnd(WPARAM, LPARAM) {
    return Default();
}

LRESULT CComboBoxList::OnMouseMove(WPARAM, LPARAM lParam) {
    Default();
    int index = HitRow(pointOf(lParam));
    if (index >= 0) {
        m_hoverIndex = index;
        InvalidateRect(&m_clientRect, TRUE);
    }
    return 0;
}

// The list holds the capture, so presses anywhere on the screen arrive here.
LRESULT CComboBoxList::OnLButtonDown(WPARAM, LPARAM lParam) {
    Default();
    if (IsOverOwner(pointOf(lParam))) Close();
    InvalidateRect(&m_clientRect, TRUE);
    return 0;
}

LRESULT CComboBoxList::OnLButtonUp(WPARAM, LPARAM lParam) {
    Default();
    if (GetCapture() != m_hWnd) return 0;
    POINT point = pointOf(lParam);
    // Over the box: the release of the press that opened the list keeps it open; the box
    // comes first, as its bottom row lies under the list's first.
    if (IsOverOwner(point)) return 0;
    if (PtInRect(&m_itemArea, point)) {
        // A release inside the list always closes it; below the last row without a change.
        int index = HitRow(point);
        if (index >= 0)
            PickAndClose(index);
        else
            Close();
        return 0;
    }
    Close();
    return 0;
}

void CComboBoxList::PickAndClose(int index) {
    m_selected = index;
    Close();
    if (!m_owner) return;
    m_owner->NotifySelChange(index);
    m_owner->Invalidate(TRUE);
}

// Without scroll-bar images the list never scrolls: item 0 stays in the first row.
LRESULT CComboBoxList::OnTimer(WPARAM, LPARAM) {
    return 0;
}

LRESULT CComboBoxList::OnMouseWheel(WPARAM, LPARAM) {
    return 0;
}

LRESULT CComboBoxList::OnPaint(WPARAM, LPARAM) {
    CPaintDC paintDc(this);
    DoubleBuffer buffer(paintDc, m_clientRect.right - m_clientRect.left,
                        m_clientRect.bottom - m_clientRect.top);
    Draw(&buffer.dc());
    return 0;
}

// Draws the list straight on a DC given by the caller (wParam).
LRESULT CComboBoxList::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC dc(reinterpret_cast<HDC>(wParam));
    Draw(&dc);
    return 0;
}

void CComboBoxList::Draw(CDC* dc) {
    CBrush background;
    background.CreateSolidBrush(m_colours.background);
    CPen border;
    border.CreatePen(PS_SOLID, 1, m_colours.border);
    {
        ScopedSelection pen(*dc, border.GetSafeHandle());
        ScopedSelection brush(*dc, background.GetSafeHandle());
        dc->Rectangle(m_clientRect);
    }

    m_visibleRows = (m_clientRect.bottom - m_clientRect.top) / kRowHeight;
    m_topIndex = 0;
    UpdateHoverRect();
    if (!IsRectEmpty(&m_hoverRect)) {
        CBrush bar;
        bar.CreateSolidBrush(m_colours.border);
        ScopedSelection pen(*dc, ::GetStockObject(NULL_PEN));
        ScopedSelection brush(*dc, bar.GetSafeHandle());
        dc->Rectangle(m_hoverRect);
    }
    DrawRows(dc);
}

// Only a row that lies wholly inside the list gets the hover bar.
void CComboBoxList::UpdateHoverRect() {
    int shown = std::min(m_count, m_visibleRows);
    if (m_hoverIndex < m_topIndex || m_hoverIndex >= m_topIndex + shown) {
        SetRectEmpty(&m_hoverRect);
        return;
    }
    int top = kHoverBarTop + kRowHeight * (m_hoverIndex - m_topIndex);
    m_hoverRect = {m_itemArea.left + 1, top, m_itemArea.right, top + kRowHeight};
}

void CComboBoxList::DrawRows(CDC* dc) {
    ScopedTextStyle style(*dc, m_colours.text, TRANSPARENT);
    ScopedSelection font(*dc, m_font.GetSafeHandle());
    int row = 0;
    for (const Item* item = m_head.get(); item; item = item->next.get(), ++row) {
        if (row < m_topIndex) continue;
        int y = m_itemArea.top + kRowHeight * (row - m_topIndex);
        if (y >= m_clientRect.bottom) break; // the rest is clipped away
        bool hovered = row == m_hoverIndex && m_colours.hoverText != 0;
        dc->SetTextColor(hovered ? m_colours.hoverText : m_colours.text);
        RECT rect = {m_itemArea.left + kTextInset, y + kTextTop, m_itemArea.right, y + kRowHeight};
        dc->DrawText(item->text, &rect, DT_SINGLELINE);
    }
}
