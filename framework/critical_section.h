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

// Holds a critical section for the length of a scope (or until Unlock).
class CSingleLock {
  public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE) : m_section(section) {
        if (initialLock) Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    BOOL Lock() {
        if (!m_locked && m_section) m_locked = m_section->Lock() != FALSE;
        return m_locked;
    }
    BOOL Unlock() {
        if (m_locked) m_section->Unlock();
        m_locked = false;
        return TRUE;
    }
    BOOL IsLocked() const { return m_locked; }

  private:
    CCriticalSection* m_section;
    bool m_locked = false;
};
