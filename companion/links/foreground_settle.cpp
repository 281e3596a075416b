#include "companion/links/foreground_settle.h"

bool ForegroundSettle::look(const std::wstring& fileName, unsigned long long nowMs) {
    if (fileName.empty()) return false;
    if (fileName != m_candidate) {
        m_candidate = fileName;
        m_since = nowMs;
    }
    if (m_candidate == m_settled || nowMs - m_since + kTimerSlackMs < kSettleMs) return false;
    m_settled = m_candidate;
    return true;
}

void ForegroundSettle::settleNow(const std::wstring& fileName) {
    m_candidate = m_settled = fileName;
}

void ForegroundSettle::leave() {
    m_candidate.clear();
    m_settled.clear();
}
