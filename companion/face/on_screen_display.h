// The on-screen display: a small skinned panel, centred above the bottom of the work area of
// the monitor that holds the taskbar (the primary monitor's without a taskbar), that shows a text
// for about 1.5 s. It never takes the focus or a click: a topmost, layered, click-through tool
// window shown without activation. A second text while it shows replaces the first and starts its
// time again.
#pragma once

#include "companion/face/display_look.h"
#include "framework/font.h"
#include "framework/wnd.h"

#include <string>

inline constexpr wchar_t kOnScreenDisplayClass[] = L"Pelko_OnScreenDisplay";
inline constexpr UINT kOnScreenDisplayMs = 1500;
inline constexpr DWORD kOnScreenDisplayExStyle =
    WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
// The panel's bottom edge sits this far above the bottom of the work area.
inline constexpr int kOnScreenDisplayLift = 64;

class COnScreenDisplay : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()

    // Makes the hidden panel with the skin's look (a null skin: the plain look) and the
    // program's mark (may be null). False when the window cannot be made.
    BOOL CreateDisplay(HMODULE skin, HICON mark);
    // The look of another skin, from the next text on.
    void SetSkin(HMODULE skin);
    // Shows text (the window's text too) and hides it kOnScreenDisplayMs later.
    void Show(const std::wstring& text);
    void Hide();

  protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);

  private:
    DisplayLook m_look;
    HICON m_mark = nullptr;
    CFont m_font;
    std::wstring m_text;
};

// The calls that find the monitors' work areas, in the coordinates this program sees (scaled
// ones, for a program unaware of the display's scaling); tests stand in monitors Wine cannot
// show, left of or above the primary one. Null members are not allowed.
struct MonitorMetrics {
    HWND(WINAPI* findWindow)(LPCWSTR className, LPCWSTR windowName);
    HMONITOR(WINAPI* monitorFromWindow)(HWND window, DWORD flags);
    HMONITOR(WINAPI* monitorFromPoint)(POINT point, DWORD flags);
    BOOL(WINAPI* getMonitorInfo)(HMONITOR monitor, LPMONITORINFO info);
};
// Null puts the system's calls back.
void installMonitorMetrics(const MonitorMetrics* metrics);

// The work area the display shows on: that of the monitor the taskbar (Shell_TrayWnd) is on,
// which is where a user looks for the companion; without a taskbar, the primary monitor's.
RECT onScreenDisplayWorkArea();
// Where a panel of `size` shows: centred across onScreenDisplayWorkArea(), its bottom
// kOnScreenDisplayLift above the work area's bottom.
RECT onScreenDisplayPlace(SIZE size);
