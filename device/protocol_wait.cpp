#include "device/protocol_wait.h"

#include <chrono>

namespace {
double waitedMilliseconds = 0.0;
}

void waitMilliseconds(DWORD milliseconds) {
    const auto start = std::chrono::steady_clock::now();
    ::Sleep(milliseconds);
    const std::chrono::duration<double, std::milli> waited =
        std::chrono::steady_clock::now() - start;
    waitedMilliseconds += waited.count();
}

double totalWaitMilliseconds() {
    return waitedMilliseconds;
}
