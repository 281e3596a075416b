// CCriticalSection: a Win32 critical section with Lock/Unlock; CSingleLock holds one for the
// length of a scope.
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

// Locks a critical section (at once when initialLock is TRUE, or later with Lock) and unlocks
// it when destroyed if it still holds it. Lock and Unlock of a lock already in that state do
// nothing and return FALSE; a null section is never locked.
class CSingleLock {
  public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock();
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked ? TRUE : FALSE; }

  private:
    CCriticalSection* m_section;
    bool m_locked = false;
};
