// The requests of device initialisation (unlock, identity text, firmware version) and the
// device watch's poll. All use the shared feature report.
#pragma once

#include "device/feature_report.h"

#include <string>

// The six unlock steps carrying UnlockSequence; sets `unlocked` when step 6 is accepted. Stops
// at the first transport failure (returns false then); refused steps do not stop it.
bool unlockDevice(HidDevice& device);

// The identity text read from the device's scratch area: 50 bytes and a terminator.
struct ScratchArea {
    char text[51];
};
ScratchArea& scratchArea();

// Reads the scratch chunks into scratchArea(); an accepted last chunk sends the text to the
// debugger output. Returns whether it did.
bool readScratchArea(HidDevice& device);

struct FirmwareVersion {
    bool present = false;
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t build = 0;
};

// Request 0x22. A refusal leaves `version` absent.
ExchangeOutcome requestFirmwareVersion(HidDevice& device, FirmwareVersion& version);

// " Version 1.2.7 " for a present version, empty otherwise.
std::wstring firmwareVersionText(const FirmwareVersion& version);

// Device initialisation requests on a device opened for reading and writing: report bytes 0
// and 1, unlock, scratch read, firmware version. False when the version request could not be
// carried; `firmwareVersion` gets the version text only when the device gave one.
bool runDeviceInitialisation(HidDevice& device, std::wstring& firmwareVersion);

enum class WatchOutcome {
    NotPolled,  // no open handle, no read access or not unlocked
    DeviceLost, // SetFeature failed: the record is marked lost
    NoReply,    // GetFeature failed, or the mouse could not be had: nothing more this tick
    Refused,
    Answered,
};

struct WatchReply {
    WatchOutcome outcome = WatchOutcome::NotPolled;
    uint8_t activeProfile = 0; // reply byte 4
    uint8_t cpiStage = 0;      // reply byte 5
};

// The once-a-second poll: 'D' at address 6, the mouse held for it (device/mouse_lock.h).
WatchReply sendWatchRequest(HidDevice& device);
