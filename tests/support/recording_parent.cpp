#include "tests/support/recording_parent.h"

RecordingParent::RecordingParent(int width, int height, int x, int y) {
    RECT rect = {x, y, x + width, y + height};
    CreateEx(0, nullptr, L"test parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
    UpdateWindow();
}

LRESULT RecordingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || (message >= WM_USER && message < 0x8000)) {
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
