// Notices of HID interfaces arriving, for a window: RegisterDeviceNotification for the HID
// interface class, so that the companion without a mouse waits instead of polling.
#pragma once

#include <windows.h>

class HidArrivalNotice {
  public:
    HidArrivalNotice() = default;
    ~HidArrivalNotice();
    HidArrivalNotice(const HidArrivalNotice&) = delete;
    HidArrivalNotice& operator=(const HidArrivalNotice&) = delete;

    // WM_DEVICECHANGE for every HID interface that arrives or goes reaches `window` from now
    // on; false when the system would not register it.
    bool registerFor(HWND window);
    bool registered() const { return m_notify != nullptr; }

  private:
    HDEVNOTIFY m_notify = nullptr;
};

// Whether a WM_DEVICECHANGE tells of a device interface that arrived.
bool isInterfaceArrival(WPARAM event, LPARAM data);
