// What the companion's process-level suites share: the seeded memory, Windows' pointer settings
// read back by a process of their own, and the wire log's start-up and watch requests.
#pragma once

#include "tests/system/virtual_mouse.h"

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

inline constexpr size_t kStartUpExchanges = 42;
inline constexpr DWORD kExchangeTimeoutMs = 15000;
// windows_pointer_reader's exit code: acceleration * 1000 + wheel lines.
inline constexpr int kOn = 1000, kOff = 2000;

// A configured memory (markers 12 and 3), profile 1 active at stage 1, each record as the window
// stores it, so that an Apply without an edit writes the block back as it was. Wheel lines 7
// with acceleration on (profile 1), 12 with it off (profile 2); profile 3 carries no pointer
// setting (speed 0, acceleration byte 2, wheel 0).
std::vector<uint8_t> seededMemory();
void writeMemoryFile(const std::filesystem::path& file, const std::vector<uint8_t>& memory);
std::vector<uint8_t> fileBytes(const std::filesystem::path& file);

// Windows' acceleration and wheel lines `delayMs` from now, read by a new process (Wine keeps
// each process's copy of them from its first read on).
int windowsPointerAfter(DWORD delayMs);
void setWindowsPointer(bool accelerationOn, UINT lines);

bool isWatch(const WireLine& line);
// The 42 requests of a device start-up from lines[at]: unlock, identity, version, block read.
bool isStartUpAt(const std::vector<WireLine>& lines, size_t at);
