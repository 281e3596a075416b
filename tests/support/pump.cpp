#include "tests/support/pump.h"

void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        pumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    pumpPending();
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMilliseconds) return done();
        pumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

bool pumpQueuedInput(DWORD timeoutMilliseconds) {
    return pumpUntil(
        [] {
            pumpPending();
            return HIWORD(GetQueueStatus(QS_INPUT)) == 0;
        },
        timeoutMilliseconds);
}
