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
