#include "companion/core/device_arrival.h"

#include "device/hid_bus.h"

#include <dbt.h>

HidArrivalNotice::~HidArrivalNotice() {
    if (m_notify) ::UnregisterDeviceNotification(m_notify);
}

bool HidArrivalNotice::registerFor(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    hidBus().HidD_GetHidGuid(&filter.dbcc_classguid);
    m_notify = ::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    return m_notify != nullptr;
}

bool isInterfaceArrival(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    return event == DBT_DEVICEARRIVAL && header &&
           header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE;
}
