// The protocol's fixed values, shared by the program and the simulated firmware. Freestanding
// (no Windows or library headers), so that the firmware model compiles into the kernel driver.
#pragma once

#include <stdint.h>

// Both must match the mouse's firmware.
inline constexpr uint8_t TransportMask = 0x5A;
inline constexpr uint8_t kUnlockSequenceBytes[32] = {
    0x50, 0x4B, 0x2D, 0x55, 0x4E, 0x4C, 0x4F, 0x43, 0x4B, 0x2D, 0x76, 0x31, 0x00, 0x11, 0x22, 0x33,
    0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x13, 0x37, 0xC0, 0xDE};

// Command codes (request byte 2).
namespace Command {
inline constexpr uint8_t ReadBlock = 'D';
inline constexpr uint8_t WriteBlock = 'E';
inline constexpr uint8_t SelectProfile = 'I';
inline constexpr uint8_t SetLiveState = '!';
inline constexpr uint8_t FirmwareVersion = 0x22;
inline constexpr uint8_t UnlockStep1 = 0x01;   // steps 1 to 6 are 0x01 to 0x06
inline constexpr uint8_t ScratchChunk0 = 0x10; // chunks 0 to 8 are 0x10 to 0x18
} // namespace Command
