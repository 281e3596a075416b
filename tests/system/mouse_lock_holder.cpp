// mouse_lock_holder.exe: takes the mouse as every program does and never gives it back, so
// that the system tests can kill it while it holds the mouse, as a program that died in the
// middle of a sequence.
#include "device/mouse_lock.h"

int main() {
    const MouseLock mouse;
    if (!mouse.held()) return 1;
    ::Sleep(INFINITE);
    return 0;
}
