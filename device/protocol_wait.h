// The fixed waits of the device protocol. They are real sleeps; the time they took is summed so
// that a benchmark can tell the protocol's own cost from the waits it is made to take.
#pragma once

#include <windows.h>

void waitMilliseconds(DWORD milliseconds);

// Wall-clock time spent in waitMilliseconds since the program started, in milliseconds.
double totalWaitMilliseconds();
