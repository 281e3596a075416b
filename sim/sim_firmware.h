// The simulated mouse's firmware as the in-process bus and the demo hold it: the one firmware
// model (pelko_firmware.h) with its memory kept in a file, like the mouse's non-volatile
// memory.
#pragma once

#include "sim/pelko_firmware.h"

#include <array>
#include <cstdint>
#include <string>

using SimReport = std::array<uint8_t, 9>;
using SimMemory = FirmwareMemory;

class SimFirmware : public PelkoFirmware {
  public:
    SimReport answer(const SimReport& request);

    // The buttons on the mouse and the factory reset, saved like any other change.
    void cycleCpiStage();
    void nextProfile();
    void factoryReset();

    // Non-volatile memory in a file (sim_memory_file.h): loaded now, saved now and after every
    // change from then on. False when the file cannot be saved.
    bool persistTo(const std::wstring& path);
    bool saveMemory(const std::wstring& path) const;
    // The file's memory image; the factory memory (and false) when the file holds none.
    bool loadMemory(const std::wstring& path);

  private:
    void saveChange();

    std::wstring memoryFile;
};
