#include "sim/virtual/firmware_bridge.h"

#include "sim/pelko_firmware.h"

namespace {

constinit PelkoFirmware g_firmware;

} // namespace

extern "C" void firmwareStart(const unsigned char* memory) {
    g_firmware = PelkoFirmware();
    if (memory)
        for (size_t i = 0; i < g_firmware.memory.size(); ++i)
            g_firmware.memory[i] = memory[i];
}

extern "C" void firmwareSetFaults(const FirmwareFaults* faults) {
    if (faults->replyMask < 0)
        g_firmware.replyMask.reset();
    else
        g_firmware.replyMask = uint8_t(faults->replyMask);
    g_firmware.refusedCommands.clear();
    for (unsigned i = 0; i < faults->refusedCommandCount && i < sizeof faults->refusedCommands; ++i)
        g_firmware.refusedCommands.insert(faults->refusedCommands[i]);
    g_firmware.refusedAddresses.clear();
    for (unsigned i = 0;
         i < faults->refusedAddressCount && 2 * i + 1 < sizeof faults->refusedAddresses; ++i)
        g_firmware.refusedAddresses.insert(
            {faults->refusedAddresses[2 * i], faults->refusedAddresses[2 * i + 1]});
}

extern "C" void firmwareAnswer(const unsigned char* request, unsigned char* reply) {
    g_firmware.answer(request, reply);
}

extern "C" void firmwarePressCpiButton(void) {
    g_firmware.cycleCpiStage();
}

extern "C" void firmwarePressProfileButton(void) {
    g_firmware.nextProfile();
}

extern "C" void firmwareFactoryReset(void) {
    g_firmware.factoryReset();
}

extern "C" int firmwareTakeMemoryChange(unsigned char* memory) {
    for (size_t i = 0; i < g_firmware.memory.size(); ++i)
        memory[i] = g_firmware.memory[i];
    return g_firmware.takeMemoryChange();
}
