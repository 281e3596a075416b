#include "device/started_mouse.h"

#include "device/device_start_up.h"
#include "device/mouse_ids.h"

#include <cstdlib>

StartedMouse::Opened StartedMouse::open(MouseSettings& block, std::wstring& firmwareVersion) {
    close();
    findKnownHidDevices(&m_list, &m_count, kPelkoVendorId, kPelkoProductId);
    bool listed = false;
    for (int i = 0; m_list && i < m_count; ++i) {
        HidDevice& record = m_list[i];
        if (!hasValidPath(record)) continue;
        listed = true;
        block = MouseSettings{};
        firmwareVersion.clear();
        // The pointer collection refuses the re-open for reading and writing: no exchange.
        if (!startUpDevice(record, block, firmwareVersion)) continue;
        m_current = &record;
        return Opened::Started;
    }
    close();
    block = MouseSettings{};
    return listed ? Opened::Failed : Opened::NoMouse;
}

void StartedMouse::close() {
    for (int i = 0; m_list && i < m_count; ++i)
        closeHidDevice(m_list[i]);
    std::free(m_list);
    m_list = nullptr;
    m_count = 0;
    m_current = nullptr;
}
