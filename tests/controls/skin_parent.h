// A popup parent painted in one solid colour and without WS_CLIPCHILDREN, like the program's
// dialog, so that the controls' background snapshots hold a known colour. Like the dialog it
// is created hidden: children are created first and show() paints the parent before them (a
// visible system button erases itself when it is created). It records WM_COMMAND and WM_USER
// and above; an optional hook sees each WM_COMMAND as it arrives, before the sender goes on.
#pragma once
#include "framework/wnd.h"
#include "tests/support/pump.h"
#include "tests/support/recording_parent.h"
#include <functional>
#include <vector>

class SkinParent : public CWnd {
  public:
    explicit SkinParent(COLORREF background = RGB(30, 160, 90)) : colour(background) {
        CreateEx(0, nullptr, L"controls test", WS_POPUP, RECT{40, 40, 640, 440}, nullptr, 0);
    }

    void show() {
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow();
        pumpPending();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
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

    std::vector<RecordedMessage> only(UINT message) const {
        std::vector<RecordedMessage> found;
        for (const auto& m : messages)
            if (m.message == message) found.push_back(m);
        return found;
    }
    void clear() { messages.clear(); }

    COLORREF colour;
    std::function<void(WPARAM, LPARAM)> onCommand;
    std::vector<RecordedMessage> messages;
};
