#include "tests/app/running_window.h"

#include "tests/support/real_mouse.h"

bool pumpDialogPending(CDialog& dialog) {
    bool quit = false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        HWND window = dialog.m_hWnd;
        bool ours = window && (msg.hwnd == window || ::IsChild(window, msg.hwnd));
        if (ours && (dialog.PreTranslateMessage(&msg) || ::IsDialogMessageW(window, &msg)))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return quit;
}

bool pumpDialogUntil(CDialog& dialog, const std::function<bool()>& done, DWORD timeoutMilliseconds,
                     bool* quitSeen) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (pumpDialogPending(dialog) && quitSeen) *quitSeen = true;
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMilliseconds) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

bool pumpDialogUntilQuit(CDialog& dialog, DWORD timeoutMilliseconds) {
    bool quit = false;
    return pumpDialogUntil(
        dialog, [&] { return quit; }, timeoutMilliseconds, &quit);
}

void pointerAt(CDialog& dialog, int x, int y, DWORD buttonFlags) {
    POINT screen = {x, y};
    ::ClientToScreen(dialog, &screen);
    pointerAtScreen(dialog, screen, buttonFlags);
}

void pointerAtScreen(CDialog& dialog, POINT screen, DWORD buttonFlags) {
    sendRealMouse(buttonFlags, screen);
    // Input sent with SendInput is queued before SendInput returns.
    pumpDialogUntil(
        dialog, [] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, 3000);
}

void clickAt(CDialog& dialog, int x, int y) {
    pointerAt(dialog, x, y);
    pointerAt(dialog, x, y, MOUSEEVENTF_LEFTDOWN);
    pointerAt(dialog, x, y, MOUSEEVENTF_LEFTUP);
}

MessageBoxAnswerer::MessageBoxAnswerer(const wchar_t* caption) : m_caption(caption) {
    m_answered = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, run, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::SetEvent(m_stop);
    ::WaitForSingleObject(m_thread, 15000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_answered);
    ::CloseHandle(m_stop);
}

DWORD WINAPI MessageBoxAnswerer::run(void* self) {
    auto* answerer = static_cast<MessageBoxAnswerer*>(self);
    for (int i = 0; i < 600; ++i) {
        HWND box = ::FindWindowW(L"#32770", answerer->m_caption);
        if (box && ::IsWindowVisible(box)) {
            wchar_t text[300] = {};
            ::GetDlgItemTextW(box, 0xFFFF, text, 300);
            answerer->m_text = text;
            // Told before the press: once the box has gone, text() must not miss it.
            ::SetEvent(answerer->m_answered);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        if (::WaitForSingleObject(answerer->m_stop, 20) == WAIT_OBJECT_0) break;
    }
    return 1;
}

std::wstring MessageBoxAnswerer::text(DWORD milliseconds) {
    if (::WaitForSingleObject(m_answered, milliseconds) != WAIT_OBJECT_0) return L"(no box)";
    return m_text;
}
