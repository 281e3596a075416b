// A shown main window driven with real pointer input, and a message pump that treats the
// window's messages as its modal loop does (PreTranslateMessage, then the dialog manager).
#pragma once

#include "tests/app/app_fixture.h"

#include <windows.h>

#include <functional>

// Dispatches this thread's messages as the dialog's own loop would until done() holds or the
// time runs out; returns done(). A WM_QUIT that comes by sets `quitSeen`.
bool pumpDialogUntil(CDialog& dialog, const std::function<bool()>& done, DWORD timeoutMilliseconds,
                     bool* quitSeen = nullptr);
// Waits the same way for a WM_QUIT; true when one came by.
bool pumpDialogUntilQuit(CDialog& dialog, DWORD timeoutMilliseconds);
// Dispatches what is queued now; true when a WM_QUIT came by.
bool pumpDialogPending(CDialog& dialog);

// Moves the pointer to a client point of the window (or a screen point) and sends one button
// event (0: move only).
void pointerAt(CDialog& dialog, int x, int y, DWORD buttonFlags = 0);
void pointerAtScreen(CDialog& dialog, POINT screen, DWORD buttonFlags = 0);
void clickAt(CDialog& dialog, int x, int y);

// A thread that waits for a message box with this caption, reads its text and presses OK. It
// gives up after 12 s, or at once when the answerer goes.
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(const wchar_t* caption);
    ~MessageBoxAnswerer();
    // The text of the box, once it was answered (waits up to `milliseconds`).
    std::wstring text(DWORD milliseconds);

  private:
    static DWORD WINAPI run(void* self);
    const wchar_t* m_caption;
    HANDLE m_thread = nullptr;
    HANDLE m_answered = nullptr;
    HANDLE m_stop = nullptr;
    std::wstring m_text;
};
