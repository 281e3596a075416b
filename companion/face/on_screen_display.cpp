#include "companion/face/on_screen_display.h"

#include "framework/dc.h"
#include "framework/double_buffer.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr int kFontHeight = 22;

constexpr MonitorMetrics kSystemMetrics = {::FindWindowW, ::MonitorFromWindow, ::MonitorFromPoint,
                                           ::GetMonitorInfoW};
const MonitorMetrics* g_metrics = &kSystemMetrics;

bool registerDisplayClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kOnScreenDisplayClass;
    return ::RegisterClassExW(&windowClass) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

BEGIN_MESSAGE_MAP(COnScreenDisplay, CWnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
END_MESSAGE_MAP()

void installMonitorMetrics(const MonitorMetrics* metrics) {
    g_metrics = metrics ? metrics : &kSystemMetrics;
}

RECT onScreenDisplayWorkArea() {
    HMONITOR monitor = nullptr;
    if (HWND taskbar = g_metrics->findWindow(L"Shell_TrayWnd", nullptr))
        monitor = g_metrics->monitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY);
    if (!monitor) monitor = g_metrics->monitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (monitor && g_metrics->getMonitorInfo(monitor, &info)) return info.rcWork;
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

RECT onScreenDisplayPlace(SIZE size) {
    const RECT work = onScreenDisplayWorkArea();
    const LONG left = work.left + (work.right - work.left - size.cx) / 2;
    const LONG bottom = work.bottom - kOnScreenDisplayLift;
    return RECT{left, bottom - size.cy, left + size.cx, bottom};
}

BOOL COnScreenDisplay::CreateDisplay(HMODULE skin, HICON mark) {
    if (!registerDisplayClass()) return FALSE;
    if (!CreateEx(kOnScreenDisplayExStyle, kOnScreenDisplayClass, L"", WS_POPUP, RECT{}, nullptr,
                  0))
        return FALSE;
    // A layered window shows nothing until its attributes are set: the skin's key colour
    // cuts the panel's corners, as it cuts the window's.
    ::SetLayeredWindowAttributes(m_hWnd, kDisplayColourKey, 255, LWA_COLORKEY);
    m_mark = mark;
    m_font.CreateSkinFont(kFontHeight, FW_BOLD, 0, 0, 0, L"Arial");
    SetSkin(skin);
    return TRUE;
}

void COnScreenDisplay::SetSkin(HMODULE skin) {
    m_look = DisplayLook{};
    loadDisplayLook(m_look, skin);
}

void COnScreenDisplay::Show(const std::wstring& text) {
    if (!m_hWnd) return;
    m_text = text;
    SetWindowText(text);
    SIZE size = {};
    {
        CClientDC screen(static_cast<HWND>(nullptr));
        size = displaySize(screen, m_font, m_text);
    }
    const RECT place = onScreenDisplayPlace(size);
    SetWindowPos(HWND_TOPMOST, place.left, place.top, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate(FALSE);
    UpdateWindow();
    SetTimer(kHideTimer, kOnScreenDisplayMs); // the same timer again: its time starts anew
}

void COnScreenDisplay::Hide() {
    KillTimer(kHideTimer);
    ShowWindow(SW_HIDE);
}

LRESULT COnScreenDisplay::OnPaint(WPARAM, LPARAM) {
    CPaintDC paint(this);
    RECT client;
    GetClientRect(&client);
    DoubleBuffer buffer(paint, client.right, client.bottom);
    paintDisplay(buffer.dc(), SIZE{client.right, client.bottom}, m_look, m_mark, m_font, m_text);
    return 0;
}

LRESULT COnScreenDisplay::OnTimer(WPARAM id, LPARAM) {
    if (id != kHideTimer) return Default();
    Hide();
    return 0;
}

LRESULT COnScreenDisplay::OnMouseActivate(WPARAM, LPARAM) {
    return MA_NOACTIVATE;
}

LRESULT COnScreenDisplay::OnNcHitTest(WPARAM, LPARAM) {
    return HTTRANSPARENT;
}
