// The program in front as Windows tells it: the foreground window's process and its image's
// file name, a foreground hook that asks for a look at each change, and the end of a process.
#pragma once

#include <windows.h>

#include <string>

struct ForegroundProgram {
    std::wstring fileName; // lower-cased; empty for no window or a process that cannot be asked
    DWORD processId = 0;
};

// The foreground window's program. Limited query rights answer for elevated programs too,
// without the companion being elevated.
ForegroundProgram programInFront();

// The same, asked of the process only when another window has come to the front: a look that
// finds the same window costs one call. `changed` says whether the window is another.
class ForegroundReader {
  public:
    ForegroundProgram read(bool& changed);

  private:
    HWND m_window = nullptr;
    ForegroundProgram m_program;
};

// EVENT_SYSTEM_FOREGROUND out of context on the installing thread: each change posts `message`
// to `notify`. Windows sometimes misses an event and Wine delivers none, so the owner looks
// on a timer too. One per process.
class ForegroundHook {
  public:
    ForegroundHook() = default;
    ~ForegroundHook() { uninstall(); }
    ForegroundHook(const ForegroundHook&) = delete;
    ForegroundHook& operator=(const ForegroundHook&) = delete;

    bool install(HWND notify, UINT message);
    void uninstall();

  private:
    HWINEVENTHOOK m_hook = nullptr;
};

// A process that may end: the program that counts as in front.
class ProcessWatch {
  public:
    ProcessWatch() = default;
    ~ProcessWatch() { close(); }
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    void watch(DWORD processId);
    void close();
    // Whether the watched process has ended; false when none is watched.
    bool ended() const;

  private:
    HANDLE m_process = nullptr;
};
