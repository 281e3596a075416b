// The pages: painting the background and the labels, minimised painting, the switch between
// the Main and Options pages, and dragging the borderless window by its title strip.
#include "app/main_dialog.h"

#include "framework/dc.h"
#include "framework/dc_scope.h"

#include <cwchar>
#include <windowsx.h>

namespace {

// DT_NOCLIP: a text wider than its rectangle is drawn whole rather than cut at its left edge.
constexpr UINT kLabelFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

} // namespace

LRESULT CPELKOmouseDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(&client);
    CDC memory;
    CDC target(dc);
    if (memory.CreateCompatibleDC(&target)) {
        ScopedSelection image(memory, background.GetSafeHandle());
        if (image.ok()) ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    paintLabels(dc);
    return result;
}

void CPELKOmouseDlg::paintLabels(HDC dc) {
    ScopedTextStyle style(dc, labelColour, TRANSPARENT);
    ScopedSelection base(dc, fontOf(layout::Font::Base).GetSafeHandle());
    for (int i = 0; i < layout::kLabelCount; ++i) {
        if (labelTexts[i].empty()) continue;
        const layout::Label& label = layout::kLabels[i];
        RECT rect = i == layout::kProfilesLabel ? profilesLabelRect
                                                : RECT{label.rect.left, label.rect.top,
                                                       label.rect.right, label.rect.bottom};
        ScopedSelection font(dc, fontOf(label.font).GetSafeHandle());
        ::DrawTextW(dc, labelTexts[i].c_str(), int(labelTexts[i].size()), &rect, kLabelFormat);
    }
}

LRESULT CPELKOmouseDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic()) return Default();
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
    return 0;
}

LRESULT CPELKOmouseDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(icon);
}

void CPELKOmouseDlg::switchPage(layout::Page page) {
    bool main = page == layout::Page::Main;
    loadBackground(main ? kMainBackground : kOptionsBackground);
    for (int i = 0; i < layout::kLabelCount; ++i) {
        const layout::Label& label = layout::kLabels[i];
        if (label.page == layout::Page::Both) continue;
        bool shown = label.page == page;
        if (!shown)
            labelTexts[i].clear();
        else if (label.text && labelTexts[i].empty())
            labelTexts[i] = label.text;
    }
    if (!main) {
        wchar_t version[32] = {};
        std::swprintf(version, 32, L" Version %d.%d.%d ", layout::kSoftwareVersion[0],
                      layout::kSoftwareVersion[1], layout::kSoftwareVersion[2]);
        labelTexts[layout::kSoftwareVersionValue] = version;
        labelTexts[layout::kFirmwareVersionValue] += firmwareVersion;
    }
    showPageControls(page);
    Invalidate(TRUE);
    SetTimer(layout::timer::kReleaseButtons, 400);
}

// The controls' own handles: GetDlgItem would ask the window server for the children list
// once per control, which under Wine is a round trip each.
void CPELKOmouseDlg::showPageControls(layout::Page page) {
    for (const layout::Control& row : layout::kControls) {
        if (row.page == layout::Page::Both) continue;
        HWND control = controlWindow(row);
        if (control) ::ShowWindow(control, row.page == page ? SW_SHOW : SW_HIDE);
    }
}

namespace {

constexpr int kTitleStripBottom = 24;

// The boxes of the minimise and close buttons, where a press does not start a drag.
bool inCaptionButton(POINT p) {
    bool rows = p.y >= 8 && p.y <= 19;
    return rows && ((p.x >= 504 && p.x <= 524) || (p.x >= 531 && p.x <= 551));
}

} // namespace

// A double click acts as two presses; a press in the title strip allows a drag.
BOOL CPELKOmouseDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
    if (msg->message == WM_LBUTTONDOWN) {
        POINT point = msg->pt;
        ScreenToClient(&point);
        dragAllowed = point.y <= kTitleStripBottom && !inCaptionButton(point);
    }
    return CDialog::PreTranslateMessage(msg);
}

// The window has no system caption: dragging its title strip is the only way to move it.
LRESULT CPELKOmouseDlg::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (wParam & MK_LBUTTON) {
        if (dragAllowed) {
            SetCapture();
            POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(&point);
            RECT window;
            GetWindowRect(&window);
            // The window keeps its own size (a skin's background may have given it another).
            MoveWindow(point.x - pressX, point.y - pressY, window.right - window.left,
                       window.bottom - window.top, TRUE);
        }
        slider(layout::id::kSensitivity).Invalidate(TRUE);
        slider(layout::id::kWheel).Invalidate(TRUE);
    }
    return Default();
}

LRESULT CPELKOmouseDlg::OnLButtonDown(WPARAM, LPARAM lParam) {
    pressX = GET_X_LPARAM(lParam);
    pressY = GET_Y_LPARAM(lParam);
    return Default();
}

LRESULT CPELKOmouseDlg::OnLButtonUp(WPARAM, LPARAM) {
    ::ReleaseCapture();
    dragAllowed = false;
    return Default();
}
