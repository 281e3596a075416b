#include "tests/app/companion_window.h"

std::vector<UINT> companionHeard;
std::vector<bool> mainWindowShownWhenHeard;

namespace {

LRESULT CALLBACK companionProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < WM_USER + 100) {
        companionHeard.push_back(message - WM_USER);
        HWND main = ::FindWindowW(nullptr, L"Glimmerhaus Pelko");
        mainWindowShownWhenHeard.push_back(main && ::IsWindowVisible(main));
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

HWND createCompanion() {
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = companionProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Joyvane_Clock";
        return ::RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return ::CreateWindowW(L"Joyvane_Clock", L"Joyvane Clock", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
}
