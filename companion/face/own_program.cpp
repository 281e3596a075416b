#include "companion/face/own_program.h"

#include "framework/program_folder.h"

DWORD startSettingsProgram() {
    const std::wstring folder = programFolder();
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
