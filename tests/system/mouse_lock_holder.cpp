// mouse_lock_holder.exe: takes the mouse under the machine-wide name every program of every
// session uses, spelled out here rather than taken from the device layer, and never gives it
// back, so that the system tests can kill it while it holds the mouse, as a program that died
// in the middle of a sequence.
#include <windows.h>

int main() {
    HANDLE mouse = ::CreateMutexExW(nullptr, L"Global\\Glimmerhaus.Pelko.Mouse", 0,
                                    SYNCHRONIZE | MUTEX_MODIFY_STATE);
    const DWORD waited = mouse ? ::WaitForSingleObject(mouse, 3000) : WAIT_FAILED;
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return 1;
    ::Sleep(INFINITE);
    return 0;
}
