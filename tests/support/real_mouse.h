// Real pointer input for the controls' tests: the system moves the cursor and delivers the
// button and wheel messages to whichever window lies under it (or holds the capture).
#pragma once
#include "tests/support/pump.h"
#include <windows.h>

// Moves the cursor to a screen point and queues one mouse event there, without pumping.
// wheelDelta is the mouse data of a MOUSEEVENTF_WHEEL event.
inline void sendRealMouse(DWORD flags, POINT screen, int wheelDelta = 0) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = MulDiv(screen.x, 65536, width) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, height) + 1;
    input.mi.mouseData = static_cast<DWORD>(wheelDelta);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

// The same, then this thread's messages dispatched until the event has been handled.
inline void realMouse(DWORD flags, POINT screen, int wheelDelta = 0) {
    sendRealMouse(flags, screen, wheelDelta);
    pumpQueuedInput();
}

// A point of a window's client area in screen coordinates.
inline POINT onScreen(HWND window, int x, int y) {
    POINT point = {x, y};
    ::ClientToScreen(window, &point);
    return point;
}
