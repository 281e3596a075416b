// The main window's start-up reduced to its device calls, for the tests and the benchmark
// that drive the device layer against the simulated mouse.
#pragma once

#include "device/mouse_settings.h"
#include "device/hid_device.h"

#include <string>

// Enumerates the mouse's interfaces into `list` / `count`, then for the vendor interface
// (MI_01) re-opens it for reading and writing, runs the initialisation requests and reads the
// configuration block. Returns that interface's record, or null when there is none or its
// initialisation could not be carried.
HidDevice* startUpMouse(HidDevice** list, int* count, MouseSettings& settings,
                        std::wstring& firmwareVersion);
