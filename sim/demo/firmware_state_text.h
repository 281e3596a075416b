// The simulated firmware's live state as the panel shows it.
#pragma once

#include "sim/sim_firmware.h"

#include <string>

struct FirmwareStateText {
    std::wstring profile; // "1" to "3" from the offset at address 6
    std::wstring stage;   // "1" to "4" from address 7
    std::wstring reportRate;
    std::wstring buttonSwap;
    bool operator==(const FirmwareStateText&) const = default;
};

// Values that match no rule show as "none (n)" or "code n".
FirmwareStateText firmwareStateText(const SimFirmware& firmware);
