// The PELKO_SIM_WIRELOG file: every exchange of the simulated bus appended as one line, in
// order. The bus keeps its whole wire log, so the file catches up from it at any moment:
// after a sequence that ran without pumping messages nothing is missed.
#pragma once

#include "sim/sim_bus.h"

#include <windows.h>

#include <string>
#include <vector>

class WireLogFile {
  public:
    WireLogFile() = default;
    ~WireLogFile();
    WireLogFile(const WireLogFile&) = delete;
    WireLogFile& operator=(const WireLogFile&) = delete;

    // PELKO_SIM_WIRELOG; empty when unset.
    static std::wstring configuredPath();

    // Opens the file for appending (creating it); false when it cannot be opened.
    bool open(const std::wstring& path);
    bool isOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // Appends a line for each exchange of `log` not written yet.
    void catchUp(const std::vector<WireExchange>& log);
    int writtenCount() const { return m_written; }

  private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    int m_written = 0;
};
