#include "companion/links/foreground_watch.h"

#include "companion/links/program_name.h"

#include <iterator>

namespace {

HWND g_notify = nullptr;
UINT g_message = 0;

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_notify) ::PostMessageW(g_notify, g_message, 0, 0);
}

std::wstring imagePathOf(DWORD processId) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return {};
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = DWORD(std::size(path));
    const BOOL known = ::QueryFullProcessImageNameW(process, 0, path, &length);
    ::CloseHandle(process);
    return known ? std::wstring(path, length) : std::wstring();
}

ForegroundProgram programOf(HWND window) {
    ForegroundProgram front;
    if (!window) return front;
    ::GetWindowThreadProcessId(window, &front.processId);
    // The companion's own windows (its menu) are never a program in front.
    if (front.processId == 0 || front.processId == ::GetCurrentProcessId()) return {};
    front.fileName = programFileName(imagePathOf(front.processId));
    return front;
}

} // namespace

ForegroundProgram programInFront() {
    return programOf(::GetForegroundWindow());
}

ForegroundProgram ForegroundReader::read(bool& changed) {
    const HWND window = ::GetForegroundWindow();
    changed = window != m_window;
    if (changed) {
        m_window = window;
        m_program = programOf(window);
    }
    return m_program;
}

bool ForegroundHook::install(HWND notify, UINT message) {
    uninstall();
    g_notify = notify;
    g_message = message;
    m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                               foregroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    return m_hook != nullptr;
}

void ForegroundHook::uninstall() {
    if (m_hook) ::UnhookWinEvent(m_hook);
    m_hook = nullptr;
    g_notify = nullptr;
}

void ProcessWatch::watch(DWORD processId) {
    close();
    if (processId) m_process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
}

void ProcessWatch::close() {
    if (m_process) ::CloseHandle(m_process);
    m_process = nullptr;
}

bool ProcessWatch::ended() const {
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0;
}
