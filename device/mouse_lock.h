// The mouse held alone for one protocol sequence. The mouse answers whichever request came
// last, and its unlock is a handshake checked in order, so another program's exchange inside a
// sequence would hand this one the other's reply. Every program that talks to the Pelko
// therefore takes one named mutex (the bus in use names it; the system's is machine-wide,
// device/machine_objects.h) around each whole sequence: a start-up, a commit with its waits, a
// watch request.
#pragma once

#include <windows.h>

// The longest wait for the mouse: longer than a commit with its 600 ms of waits.
inline constexpr DWORD kMouseLockWaitMs = 3000;

class MouseLock {
  public:
    // Waits up to `waitMs` for the mouse. A mutex whose holder ended without releasing it is
    // taken over.
    explicit MouseLock(DWORD waitMs = kMouseLockWaitMs);
    ~MouseLock();
    MouseLock(const MouseLock&) = delete;
    MouseLock& operator=(const MouseLock&) = delete;

    // False when the mouse could not be had: the sequence must not start, as for a mouse that
    // does not answer.
    bool held() const { return m_held; }

  private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
};
