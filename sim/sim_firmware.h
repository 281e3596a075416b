// The simulated mouse's firmware: its 130-byte memory, the masked command set, the unlock
// check, the identity text, the live state and the buttons on the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

using SimReport = std::array<uint8_t, 9>;
using SimMemory = std::array<uint8_t, 130>;

class SimFirmware {
  public:
    SimFirmware();

    // Markers 0xFF, a plausible profile set, a distinctive non-zero byte at every
    // carried-through address and non-zero bytes at 128 and 129.
    static SimMemory factoryMemory();
    // The value the factory memory holds at a carried-through address.
    static uint8_t carriedByte(int address);

    // Unmasks the request with its byte 1 and answers with the device's mask.
    SimReport answer(const SimReport& request);

    // The buttons on the mouse.
    void cycleCpiStage();
    void nextProfile();
    // The memory back to the factory memory (markers 0xFF), saved like any other change.
    void factoryReset();

    // Non-volatile memory in a file (sim_memory_file.h): loaded now, saved now and after every
    // change from then on. False when the file cannot be saved.
    bool persistTo(const std::wstring& path);
    bool saveMemory(const std::wstring& path) const;
    // The file's memory image; the factory memory (and false) when the file holds none.
    bool loadMemory(const std::wstring& path);

    SimMemory memory;
    std::array<uint8_t, 3> version = {1, 2, 7};
    std::array<char, 50> identity{};
    uint8_t liveReportRate = 2;
    uint8_t liveButtonSwap = 0;
    bool unlocked = false;

    // Faults: another mask in every reply; refused commands; refused (command, address).
    std::optional<uint8_t> replyMask;
    std::set<uint8_t> refusedCommands;
    std::set<std::pair<uint8_t, uint8_t>> refusedAddresses;

  private:
    using Payload = std::array<uint8_t, 6>;
    bool handle(uint8_t command, const Payload& request, Payload& reply);
    bool readBlock(const Payload& request, Payload& reply) const;
    bool writeBlock(const Payload& request);
    bool unlockStep(int step, const Payload& request);
    void changed();

    int nextUnlockStep = 1;
    bool unlockMatches = false;
    std::wstring memoryFile;
};
