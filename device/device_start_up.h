// The device half of the main window's start-up on one interface record.
#pragma once

#include "device/hid_device.h"
#include "device/mouse_settings.h"

#include <string>

// Re-opens the record for reading and writing (when it holds an open handle), runs the
// initialisation requests (unlock, identity text, firmware version) and reads the
// configuration block, the mouse held throughout (device/mouse_lock.h). False when the record
// holds no open handle, the mouse could not be had or the firmware-version request could not
// be carried; the block is not read then. `firmwareVersion` gets the version text when the
// device gave one.
bool startUpDevice(HidDevice& device, MouseSettings& settings, std::wstring& firmwareVersion);
