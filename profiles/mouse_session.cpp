#include "profiles/mouse_session.h"

#include "device/configuration_program.h"

namespace {

// " Version 1.2.7 " → "1.2.7".
std::string versionNumber(const std::wstring& text) {
    std::string number;
    for (wchar_t c : text)
        if ((c >= L'0' && c <= L'9') || c == L'.') number += char(c);
    return number;
}

bool wholeBlockRead(const MouseSettings& settings) {
    for (bool read : settings.recordRead)
        if (!read) return false;
    return true;
}

} // namespace

SessionStart MouseSession::open(bool refuseWhileWindowRuns) {
    m_mouse.close();
    m_lock.emplace();
    if (!m_lock->held()) return SessionStart::MouseBusy;
    if (refuseWhileWindowRuns && configurationProgramRunning()) return SessionStart::WindowRunning;
    std::wstring version;
    if (m_mouse.open(m_settings, version) != StartedMouse::Opened::Started)
        return SessionStart::NoMouse;
    m_firmware = versionNumber(version);
    return wholeBlockRead(m_settings) ? SessionStart::Ready : SessionStart::PartlyRead;
}
