// When a program counts as in front: once it has stayed in front for a second, so that Alt-Tab
// and a window passing by switch nothing. Windows that are no program to link (the shell, the
// companion, the configuration program) are looked past: focus on the taskbar is not leaving.
#pragma once

#include <string>

class ForegroundSettle {
  public:
    static constexpr unsigned long long kSettleMs = 1000;
    // Timers come a tick either side of their period (15.6 ms on Windows): a look this much
    // short of the second still counts, rather than leaving the switch to the look after.
    static constexpr unsigned long long kTimerSlackMs = 32;

    // A look at `nowMs` at the program in front: its file name, or empty for a window that is
    // no program to link. True when a program other than the one that counted before has now
    // stayed in front for the settle time; settled() names it.
    bool look(const std::wstring& fileName, unsigned long long nowMs);
    // The program in front counts at once (the mouse has just come: nothing to wait for).
    void settleNow(const std::wstring& fileName);
    // The program that counted has ended: none is in front until another one settles.
    void leave();
    // The program that counts as in front; empty for none.
    const std::wstring& settled() const { return m_settled; }

  private:
    std::wstring m_candidate, m_settled;
    unsigned long long m_since = 0;
};
