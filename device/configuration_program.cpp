#include "device/configuration_program.h"

#include <windows.h>

namespace {

constexpr wchar_t kObjectName[] = L"Local\\GlimmerhausPelkoConfigurationProgram";

} // namespace

bool announceConfigurationProgram() {
    // Never signalled and never closed: only its existence says something.
    static const HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, kObjectName);
    return held != nullptr;
}

bool configurationProgramRunning() {
    HANDLE probe = ::OpenEventW(SYNCHRONIZE, FALSE, kObjectName);
    if (!probe) return ::GetLastError() == ERROR_ACCESS_DENIED; // there, but not ours to open
    ::CloseHandle(probe);
    return true;
}
