/* The skin library holds resources only; its entry accepts every load and detach. */
#include <windows.h>

BOOL WINAPI SkinEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
