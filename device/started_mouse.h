// The mouse as a program that opens it on its own holds it: the interfaces a scan lists, and the
// one that completed the device start-up. The companion and the profiles programs hold it so.
#pragma once

#include "device/hid_device.h"
#include "device/mouse_settings.h"

#include <string>

class StartedMouse {
  public:
    StartedMouse() = default;
    ~StartedMouse() { close(); }
    StartedMouse(const StartedMouse&) = delete;
    StartedMouse& operator=(const StartedMouse&) = delete;

    enum class Opened {
        NoMouse, // no interface of the mouse is listed
        Failed,  // listed, but none completed the start-up
        Started,
    };
    // Lists the mouse's interfaces and runs the device start-up (unlock, identity, version,
    // block read into `block`) on each in turn until one completes it; lets go of anything held
    // before. `block` is left empty when none does.
    Opened open(MouseSettings& block, std::wstring& firmwareVersion);
    // Closes every interface the scan opened.
    void close();
    // The interface that completed the start-up; null while none did.
    HidDevice* current() const { return m_current; }

  private:
    HidDevice* m_list = nullptr;
    int m_count = 0;
    HidDevice* m_current = nullptr;
};
