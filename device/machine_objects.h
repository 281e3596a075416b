// Named objects that every user signed in to the machine shares. The mouse belongs to the
// machine, not to a session: with fast user switching another user's companion polls from a
// session of its own, so the mouse lock and the configuration program's witness live in the
// Global\ namespace, with a security descriptor that lets every signed-in user use them.
#pragma once

#include <windows.h>

// What another signed-in user may do with the object: wait on and release the lock; see (wait
// on) the witness. Nothing more: neither may change the object's security.
inline constexpr DWORD kSharedMutexAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;
inline constexpr DWORD kSharedEventAccess = SYNCHRONIZE;

// Creates or opens the mutex `name` ("Global\..." or "Local\..."), with that access. A global
// name that cannot be had (no global namespace, an object of another kind or security under
// it) falls back to the same name under Local\, which the debugger output says once. Null
// only when no name can be had: the caller then holds nothing and must not go on.
HANDLE createSharedMutex(const wchar_t* name);
// The same for a manual-reset event that is never signalled: its existence is its message.
HANDLE createSharedEvent(const wchar_t* name);
// Whether an event of that name exists, globally or under its session fallback; one that
// exists but is not ours to open counts.
bool sharedEventExists(const wchar_t* name);
