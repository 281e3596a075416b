// A registry key of the current user made unwritable, as a locked-down profile would have it.
#pragma once

#include <windows.h>

// Gives the key (made if missing) a security descriptor that grants nobody anything, or, with
// `writable`, the default one back. False when the key or its security could not be had.
bool setRegistryKeyWritable(const wchar_t* keyPath, bool writable);
