#include "tests/support/program_process.h"

#include <string>

namespace fs = std::filesystem;

namespace {

struct FoundWindow {
    DWORD process;
    const wchar_t* title;
    HWND window = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<FoundWindow*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t title[128] = {};
    ::GetWindowTextW(window, title, 128);
    if (process != wanted->process || std::wstring(title) != wanted->title ||
        !::IsWindowVisible(window))
        return TRUE;
    wanted->window = window;
    return FALSE;
}

} // namespace

fs::path binFolder() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

Program::Program(const fs::path& exe, const fs::path& memoryFile, const fs::path& wireLog,
                 const fs::path& currentFolder) {
    if (!memoryFile.empty()) ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", memoryFile.c_str());
    if (!wireLog.empty()) ::SetEnvironmentVariableW(L"PELKO_SIM_WIRELOG", wireLog.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    m_started =
        ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         currentFolder.empty() ? exe.parent_path().c_str() : currentFolder.c_str(),
                         &startup, &m_info);
    ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", nullptr);
    ::SetEnvironmentVariableW(L"PELKO_SIM_WIRELOG", nullptr);
}

Program::~Program() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_info.hProcess, 99);
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

HWND Program::window(const wchar_t* title) const {
    for (int i = 0; i < 300; ++i) {
        FoundWindow found = {m_info.dwProcessId, title, nullptr};
        ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        if (::WaitForSingleObject(m_info.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

long Program::ended(DWORD milliseconds) const {
    if (::WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return long(code);
}

void Program::kill() const {
    ::TerminateProcess(m_info.hProcess, 99);
    ::WaitForSingleObject(m_info.hProcess, 10000);
}

bool Program::closeMainWindow() const {
    HWND main = window(L"Glimmerhaus Pelko");
    if (!main) return false;
    ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    return ended() == 0;
}
