#include "companion/own_program.h"

namespace {

// The longest path Windows gives a module (the extended-length limit).
constexpr DWORD kLongestPath = 32768;

} // namespace

std::wstring ownProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= kLongestPath) return {}; // cut off even at the longest path
        path.resize(path.size() * 2);
    }
}

std::wstring ownProgramFolder() {
    const std::wstring program = ownProgramPath();
    const size_t separator = program.find_last_of(L'\\');
    if (separator == std::wstring::npos) return {};
    return program.substr(0, separator + 1);
}

DWORD startSettingsProgram() {
    const std::wstring folder = ownProgramFolder();
    if (folder.empty()) return 0;
    const std::wstring program = folder + kSettingsProgramName;
    // The command line names the program, quoted, as Windows' own shell would.
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process))
        return 0;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return process.dwProcessId;
}
