#include "profiles/mouse_session.h"

#include "device/configuration_program.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"

#include <cstdlib>

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
    close();
    m_lock.emplace();
    if (!m_lock->held()) return SessionStart::MouseBusy;
    if (refuseWhileWindowRuns && configurationProgramRunning()) return SessionStart::WindowRunning;
    findKnownHidDevices(&m_list, &m_count, kPelkoVendorId, kPelkoProductId);
    for (int i = 0; m_list && i < m_count; ++i) {
        HidDevice& record = m_list[i];
        if (!hasValidPath(record)) continue;
        m_settings = MouseSettings{};
        std::wstring version;
        // The pointer collection refuses the re-open for reading and writing: no exchange.
        if (!startUpDevice(record, m_settings, version)) continue;
        m_current = &record;
        m_firmware = versionNumber(version);
        return wholeBlockRead(m_settings) ? SessionStart::Ready : SessionStart::PartlyRead;
    }
    return SessionStart::NoMouse;
}

void MouseSession::close() {
    for (int i = 0; m_list && i < m_count; ++i)
        closeHidDevice(m_list[i]);
    std::free(m_list);
    m_list = nullptr;
    m_count = 0;
    m_current = nullptr;
}
