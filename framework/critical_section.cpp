#include "framework/critical_section.h"

CCriticalSection::CCriticalSection() {
    InitializeCriticalSection(&m_section);
}
CCriticalSection::~CCriticalSection() {
    DeleteCriticalSection(&m_section);
}

BOOL CCriticalSection::Lock() {
    EnterCriticalSection(&m_section);
    return TRUE;
}

BOOL CCriticalSection::Unlock() {
    LeaveCriticalSection(&m_section);
    return TRUE;
}

CSingleLock::CSingleLock(CCriticalSection* section, BOOL initialLock) : m_section(section) {
    if (initialLock) Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock() {
    if (!m_section || m_locked) return FALSE;
    m_locked = m_section->Lock() != FALSE;
    return m_locked ? TRUE : FALSE;
}

BOOL CSingleLock::Unlock() {
    if (!m_section || !m_locked) return FALSE;
    m_locked = false;
    return m_section->Unlock();
}
