#include "tests/support/recording_parent.h"
#include "tests/support/pump.h"

RecordingParent::RecordingParent(Shown shown, RECT screen, COLORREF background)
    : colour(background) {
    DWORD style = WS_POPUP | (shown == Shown::Now ? WS_VISIBLE : 0);
    CreateEx(0, nullptr, L"test parent", style, screen, nullptr, 0);
    UpdateWindow();
}

void RecordingParent::show() {
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    pumpPending();
}

LRESULT RecordingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(&client);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return TRUE;
    }
    if (message == WM_COMMAND || (message >= WM_USER && message < 0x8000)) {
        if (message == WM_COMMAND && onCommand) onCommand(wParam, lParam);
        messages.push_back({message, wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<RecordedMessage> RecordingParent::only(UINT message) const {
    std::vector<RecordedMessage> found;
    for (const auto& m : messages)
        if (m.message == message) found.push_back(m);
    return found;
}
