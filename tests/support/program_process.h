// A program of bin/ started as a separate process, for the tests that drive the built
// programs: its environment for the demo's memory file and wire log, its visible windows and
// its end.
#pragma once

#include <windows.h>

#include <filesystem>

// The folder of the running test program, where the build puts the programs it tests.
std::filesystem::path binFolder();

// A program started with an optional PELKO_SIM_MEMORY and PELKO_SIM_WIRELOG, in its own folder
// or in currentFolder; ended (closed or killed) when it goes.
class Program {
  public:
    explicit Program(const std::filesystem::path& exe, const std::filesystem::path& memoryFile = {},
                     const std::filesystem::path& wireLog = {},
                     const std::filesystem::path& currentFolder = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return m_started; }
    DWORD id() const { return m_info.dwProcessId; }

    // The program's visible top-level window with this title, waiting up to 15 s.
    HWND window(const wchar_t* title) const;

    // Waits up to `milliseconds` for the end; its exit code, or -1 when it is still running.
    long ended(DWORD milliseconds = 10000) const;

    void kill() const;

    // Closes the main window as its Cancel would; true when the program then ended with 0.
    bool closeMainWindow() const;

  private:
    PROCESS_INFORMATION m_info = {};
    bool m_started = false;
};
