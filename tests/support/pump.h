// Message pumping for tests that drive real windows.
#pragma once
#include <functional>
#include <windows.h>

// Dispatches every queued message of this thread.
void pumpPending();
// Dispatches messages for the given time.
void pumpFor(DWORD milliseconds);
// Dispatches messages until no input remains queued for this thread: input sent with
// SendInput is queued before SendInput returns, so then it has been handled.
bool pumpQueuedInput(DWORD timeoutMilliseconds = 3000);
// Dispatches messages until done() holds or the time runs out; returns done().
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds = 3000);
