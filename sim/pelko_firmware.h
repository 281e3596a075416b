// The simulated mouse's firmware: its 130-byte memory, the masked command set, the unlock
// check, the identity text, the live state and the buttons on the mouse. Freestanding (no
// allocation, exceptions or library), so that the in-process bus and the kernel driver of the
// virtual mouse run this one model.
#pragma once

#include "sim/firmware_faults.h"
#include "sim/fixed_array.h"

#include <stdint.h>

using FirmwareMemory = FixedArray<uint8_t, 130>;

class PelkoFirmware {
  public:
    static constexpr int kProfileAddress = 6;
    static constexpr int kStageAddress = 7;

    // Constant-initialised, so that the driver holds one as a global without start-up code.
    constexpr PelkoFirmware() : memory(factoryMemory()), identity{} {
        constexpr char text[] = "Glimmerhaus Pelko optical sensor board, rev C 2719";
        static_assert(sizeof(text) == sizeof(identity.items) + 1);
        for (size_t i = 0; i < identity.size(); ++i)
            identity[i] = text[i];
    }

    // Markers 0xFF, a plausible profile set, a distinctive non-zero byte at every
    // carried-through address and non-zero bytes at 128 and 129.
    static constexpr FirmwareMemory factoryMemory();
    // The value the factory memory holds at a carried-through address.
    static constexpr uint8_t carriedByte(int address) { return uint8_t(0x30 + address); }

    // Unmasks the 9-byte request with its byte 1 and writes the 9-byte reply, masked with the
    // device's mask.
    void answer(const uint8_t* request, uint8_t* reply);

    // The buttons on the mouse.
    void cycleCpiStage();
    void nextProfile();
    // The memory back to the factory memory (markers 0xFF).
    void factoryReset();

    // True once after every change of the memory: its owner then saves it.
    bool takeMemoryChange();

    FirmwareMemory memory;
    FixedArray<uint8_t, 3> version = {1, 2, 7};
    FixedArray<char, 50> identity;
    uint8_t liveReportRate = 2;
    uint8_t liveButtonSwap = 0;
    bool unlocked = false;

    MaskOverride replyMask;
    CommandSet refusedCommands;
    AddressRuleSet refusedAddresses;

  private:
    using Payload = FixedArray<uint8_t, 6>;
    bool handle(uint8_t command, const Payload& request, Payload& reply);
    bool readBlock(const Payload& request, Payload& reply) const;
    bool writeBlock(const Payload& request);
    bool selectProfile(const Payload& request);
    bool setLiveState(const Payload& request);
    bool unlockStep(int step, const Payload& request);
    void readScratchChunk(int chunk, Payload& reply) const;

    int m_nextUnlockStep = 1;
    bool m_unlockMatches = false;
    bool m_memoryChanged = false;
};

constexpr FirmwareMemory PelkoFirmware::factoryMemory() {
    FirmwareMemory m{};
    for (int a = 0; a < 128; ++a)
        m[size_t(a)] = carriedByte(a);
    m[0] = 0xFF;
    m[1] = 0xFF;
    m[2] = 0x11;
    m[4] = 0x22;
    m[kProfileAddress] = 0;
    m[kStageAddress] = 1;
    // Profiles at 28, 39 and 50; +4 and +10 are carried through and keep their bytes.
    const uint8_t profiles[3][11] = {{8, 16, 8, 16, 0, 2, 0, 10, 1, 3, 0},
                                     {8, 64, 8, 64, 0, 1, 0, 12, 1, 5, 0},
                                     {16, 32, 16, 32, 0, 8, 1, 8, 0, 0x83, 0}};
    for (int p = 0; p < 3; ++p)
        for (int i = 0; i < 11; ++i)
            if (i != 4 && i != 10) m[size_t(28 + 11 * p + i)] = profiles[p][i];
    m[128] = 0xA5;
    m[129] = 0x5A;
    return m;
}
