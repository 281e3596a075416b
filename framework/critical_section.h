// CCriticalSection: a Win32 critical section with Lock/Unlock.
#pragma once
#include <windows.h>

class CCriticalSection {
  public:
    CCriticalSection();
    ~CCriticalSection();
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock();
    BOOL Unlock();

  private:
    CRITICAL_SECTION m_section;
};
