#include "controls/bitmap_combo_box.h"
#include "controls/control_messages.h"
#include "controls/skin_image.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"
#include <windowsx.h>
#include <new>

namespace {

constexpr int kCaptionLeft = 5;
constexpr int kCaptionTop = 2;

} // namespace

BEGIN_MESSAGE_MAP(CBitmapComboBox, CWnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
END_MESSAGE_MAP()

CBitmapComboBox::CBitmapComboBox() {
    m_font.CreateSkinFont(kFontHeight, 0, 0, 0, 0, kFontFace);
}

CBitmapComboBox::~CBitmapComboBox() {
    // The list is a window of the desktop: it does not go with the box's window.
    m_list.reset();
}

BOOL CBitmapComboBox::SetBitmaps(int normal, int image2, int active, int image4, int image5,
                                 HMODULE module) {
    GetClientRect(&m_clientRect);
    auto orNormal = [normal](int id) { return id == -1 ? normal : id; };
    LoadSkinImage(m_normal, module, static_cast<UINT>(normal));
    LoadSkinImage(m_image2, module, static_cast<UINT>(orNormal(image2)));
    LoadSkinImage(m_active, module, static_cast<UINT>(orNormal(active)));
    LoadSkinImage(m_image4, module, static_cast<UINT>(orNormal(image4)));
    if (image5 != -1) LoadSkinImage(m_image5, module, static_cast<UINT>(image5));

    m_imageBitmap = {};
    m_normal.GetBitmap(&m_imageBitmap);
    SetWindowPos(nullptr, 0, 0, m_imageBitmap.bmWidth, m_imageBitmap.bmHeight,
                 SWP_NOMOVE | SWP_NOOWNERZORDER);
    GetClientRect(&m_clientRect);
    CreateList();
    return TRUE;
}

// A second SetBitmaps keeps the list (and its items) it already made.
void CBitmapComboBox::CreateList() {
    if (m_list) return;
    auto list = std::unique_ptr<CComboBoxList>(new (std::nothrow) CComboBoxList(this));
    if (!list) return;
    RECT rect = {0, 0, m_imageBitmap.bmWidth, m_dropHeight};
    if (!list->CreateEx(WS_EX_TOOLWINDOW, nullptr, nullptr, WS_CHILD, rect, GetParent(),
                        CComboBoxList::kWindowId))
        return;
    m_list = std::move(list);
}

void CBitmapComboBox::SetColors(COLORREF background, COLORREF text, COLORREF border,
                                COLORREF scrollTrack, COLORREF selection, COLORREF hoverText) {
    m_textColour = text;
    if (m_list) m_list->SetColors(background, border, scrollTrack, text, selection, hoverText);
}

int CBitmapComboBox::AddString(const std::wstring& text, int data) {
    if (!m_list) return 0;
    return m_list->AddItem(text, data) ? 1 : 0;
}

void CBitmapComboBox::SetCurSel(int index, int /*flag*/) {
    if (!m_list || index < 0 || index >= m_list->GetCount()) return;
    m_list->SetSelected(index);
    NotifySelChange(index);
    Invalidate(TRUE);
}

int CBitmapComboBox::GetCurSel() const {
    return m_list ? m_list->GetSelected() : -1;
}

int CBitmapComboBox::GetCount() const {
    return m_list ? m_list->GetCount() : 0;
}

void CBitmapComboBox::NotifySelChange(int index) const {
    ::SendMessageW(GetParentHwnd(), UWM_COMBO_SELCHANGE, static_cast<WPARAM>(index),
                   static_cast<LPARAM>(GetDlgCtrlID()));
}

LRESULT CBitmapComboBox::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    Draw(dc);
    return 0;
}

// Draws the box on a DC given by the caller (wParam).
LRESULT CBitmapComboBox::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC dc(reinterpret_cast<HDC>(wParam));
    Draw(dc);
    return 0;
}

void CBitmapComboBox::Draw(CDC& dc) {
    const CBitmap& image = (m_pressed || m_hoverTracker.IsHover()) ? m_active : m_normal;
    ImageDC source(dc, image.GetSafeHandle());
    if (source.ok())
        dc.BitBlt(0, 0, m_clientRect.right, m_clientRect.bottom, &source.dc(), 0, 0, SRCCOPY);
    DrawCaption(&dc);
}

void CBitmapComboBox::DrawCaption(CDC* dc) {
    if (!m_list) return;
    std::wstring text = m_list->GetItemText(m_list->GetSelected());
    if (text.empty()) return;
    ScopedTextStyle style(*dc, m_textColour, TRANSPARENT);
    ScopedSelection font(*dc, m_font.GetSafeHandle());
    RECT rect = m_clientRect;
    rect.left = kCaptionLeft;
    rect.top = kCaptionTop;
    dc->DrawText(text, &rect, DT_SINGLELINE);
}

// A hidden or disabled box opens nothing: the device watch presses the CPI lists also while
// the Options page hides them.
LRESULT CBitmapComboBox::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (!IsWindowVisible() || !IsWindowEnabled()) return 0;
    m_pressed = true;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT image = {0, 0, m_imageBitmap.bmWidth, m_imageBitmap.bmHeight};
    if (m_list && PtInRect(&image, point)) m_list->Open();
    Invalidate(TRUE);
    return 0;
}

// Reaches the box only when the list does not hold the capture.
LRESULT CBitmapComboBox::OnLButtonUp(WPARAM, LPARAM) {
    m_pressed = false;
    ::ReleaseCapture();
    if (m_list) m_list->ShowWindow(SW_HIDE);
    Invalidate(TRUE);
    return 0;
}

// Hiding the box closes its open list, which would stay on screen otherwise.
LRESULT CBitmapComboBox::OnShowWindow(WPARAM wParam, LPARAM) {
    if (!wParam && m_list && m_list->IsWindowVisible()) m_list->Close();
    return Default();
}

LRESULT CBitmapComboBox::OnMouseMove(WPARAM, LPARAM) {
    m_hoverTracker.OnMouseMove(m_hWnd);
    return Default();
}

LRESULT CBitmapComboBox::OnMouseHover(WPARAM, LPARAM) {
    m_hoverTracker.OnHover();
    Invalidate(TRUE);
    SendControlInfo(*this, m_info);
    return 0;
}

LRESULT CBitmapComboBox::OnMouseLeave(WPARAM, LPARAM) {
    m_hoverTracker.OnLeave();
    Invalidate(TRUE);
    return 0;
}
