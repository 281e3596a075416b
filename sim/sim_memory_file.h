// The simulated mouse's non-volatile memory in a file: 130 raw bytes, replaced whole on every
// save so that a program killed mid-way leaves either the old memory or the new one.
#pragma once

#include "sim/sim_firmware.h"

#include <optional>
#include <string>

// PELKO_SIM_MEMORY when set and not empty, else pelko-sim-memory.bin beside the running program.
std::wstring simMemoryFilePath();

// The memory the file holds when it holds exactly 130 bytes. Nothing otherwise; a file that
// exists but is of another size or cannot be read is also told to the debugger.
std::optional<SimMemory> readSimMemoryFile(const std::wstring& path);

// Writes a temporary file beside the target and renames it over the target. On failure the
// previous file is left as it was and the temporary file is removed.
bool writeSimMemoryFile(const std::wstring& path, const SimMemory& memory);
