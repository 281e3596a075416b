#include "companion/core/mouse_link.h"

#include "device/config_block.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"

#include <cstdlib>
#include <string>

MouseLink::Opened MouseLink::open() {
    close();
    findKnownHidDevices(&m_list, &m_count, kPelkoVendorId, kPelkoProductId);
    bool listed = false;
    for (int i = 0; m_list && i < m_count; ++i) {
        HidDevice& record = m_list[i];
        if (!hasValidPath(record)) continue;
        listed = true;
        m_block = MouseSettings{};
        std::wstring firmwareVersion;
        // The pointer collection refuses the re-open for reading and writing: no exchange.
        if (!startUpDevice(record, m_block, firmwareVersion)) continue;
        m_current = &record;
        return record.unlocked ? Opened::Watchable : Opened::Locked;
    }
    close();
    m_block = MouseSettings{};
    return listed ? Opened::Failed : Opened::NoMouse;
}

void MouseLink::close() {
    for (int i = 0; m_list && i < m_count; ++i)
        closeHidDevice(m_list[i]);
    std::free(m_list);
    m_list = nullptr;
    m_count = 0;
    m_current = nullptr;
}

WatchReply MouseLink::watch() {
    if (!m_current) return WatchReply{};
    return sendWatchRequest(*m_current);
}

bool MouseLink::selectProfile(int offset, const LiveState& live) {
    return m_current && selectProfileLive(*m_current, offset, live);
}

bool MouseLink::readProfile(int offset, ProfileSettings& profile) {
    return m_current && readProfileRecord(*m_current, offset, profile);
}
