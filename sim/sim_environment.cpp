#include "sim/sim_environment.h"

#include <windows.h>

std::wstring simEnvironmentVariable(const wchar_t* name) {
    std::wstring value;
    DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    // The variable may change between the calls: ask again until the value fits.
    while (needed > 1) {
        value.resize(needed);
        const DWORD length = ::GetEnvironmentVariableW(name, value.data(), needed);
        if (length < needed) {
            value.resize(length);
            return value;
        }
        needed = length;
    }
    return {};
}
