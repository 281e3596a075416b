#include "device/mouse_lock.h"

#include "device/hid_bus.h"
#include "device/machine_objects.h"

MouseLock::MouseLock(DWORD waitMs) {
    m_mutex = createSharedMutex(hidBus().mouseLockName);
    if (!m_mutex) return;
    // WAIT_ABANDONED: its holder died mid-sequence. Every sequence stands on its own (a start-up
    // begins the unlock handshake at its first step, a request replaces a reply nobody
    // collected), so this one can go on.
    const DWORD waited = ::WaitForSingleObject(m_mutex, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

MouseLock::~MouseLock() {
    if (m_held) ::ReleaseMutex(m_mutex);
    if (m_mutex) ::CloseHandle(m_mutex);
}
