// The bare Win32 program the start-up and idle figures are compared with: one borderless window
// of the main window's size at the screen's top-left corner, painted once in one colour, and
// nothing else until it is closed. Under the same Wine it shows what any program costs.
//
// `bare_window.exe tree` adds the main window's window tree and nothing of its work: a child
// window at the place of each of the main window's controls (those of the Options page
// hidden), each painted in one colour, a hidden window of the desktop for each list's drop-down
// list, and the colour-keyed layered style. It shows what Wine charges for those windows.
#include "app/window_layout.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr int kWidth = 568, kHeight = 344;
constexpr COLORREF kColour = RGB(40, 90, 160);
constexpr COLORREF kChildColour = RGB(200, 120, 40);
constexpr COLORREF kColourKey = RGB(255, 0, 255);

void paintInOneColour(HWND window, COLORREF colour) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &paint.rcPaint, brush);
    ::DeleteObject(brush);
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole window
    case WM_PAINT:
        paintInOneColour(window, kColour);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK childProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintInOneColour(window, kChildColour);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return ::RegisterClassW(&windowClass) != 0;
}

// The main window's controls as plain child windows, and the lists' drop-down windows, which
// are made as children and then become windows of the desktop, as the lists' are.
void addWindowTree(HWND window, HINSTANCE instance) {
    for (const layout::Control& row : layout::kControls) {
        const layout::Rect& r = row.rect;
        const DWORD visible = row.page == layout::Page::Options ? 0 : WS_VISIBLE;
        ::CreateWindowExW(0, L"BareChild", L"", WS_CHILD | visible, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, window, nullptr, instance, nullptr);
        if (row.kind != layout::Kind::List) continue;
        HWND list = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"BareChild", L"", WS_CHILD, 0, 0,
                                      r.right - r.left, 100, window, nullptr, instance, nullptr);
        ::SetParent(list, ::GetDesktopWindow());
        ::SetWindowPos(list, HWND_TOP, r.left, r.bottom - 1, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ::SetWindowLongW(window, GWL_EXSTYLE, ::GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, kColourKey, 0, LWA_COLORKEY);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    const bool tree = std::wcscmp(commandLine, L"tree") == 0;
    if (!registerClass(instance, L"BareWindow", windowProc)) return 1;
    if (tree && !registerClass(instance, L"BareChild", childProc)) return 1;
    const DWORD style = WS_POPUP | (tree ? 0 : WS_VISIBLE); // the tree is shown once it is made
    HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare window", style, 0, 0, kWidth, kHeight,
                                    nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (tree) {
        addWindowTree(window, instance);
        ::ShowWindow(window, SW_SHOWNORMAL);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
