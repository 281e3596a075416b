#include "sim/pelko_firmware.h"

#include "device/protocol_constants.h"

namespace {

constexpr int kLastRecordAddress = 125;

} // namespace

void PelkoFirmware::answer(const uint8_t* request, uint8_t* reply) {
    const uint8_t requestMask = request[1];
    const uint8_t command = request[2];
    Payload payload{};
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = request[3 + i] ^ requestMask;

    Payload answered{};
    const bool accepted = !refusedCommands.contains(command) &&
                          !refusedAddresses.contains(command, payload[0]) &&
                          handle(command, payload, answered);
    if (!accepted) answered = Payload{};

    const uint8_t mask = replyMask.valueOr(requestMask);
    reply[0] = 0;
    reply[1] = mask;
    reply[2] = accepted ? 1 : 0;
    for (size_t i = 0; i < answered.size(); ++i)
        reply[3 + i] = answered[i] ^ mask;
}

bool PelkoFirmware::handle(uint8_t command, const Payload& request, Payload& reply) {
    switch (command) {
    case Command::ReadBlock:
        return readBlock(request, reply);
    case Command::WriteBlock:
        return writeBlock(request);
    case Command::SelectProfile:
        return selectProfile(request);
    case Command::SetLiveState:
        return setLiveState(request);
    case Command::FirmwareVersion:
        for (size_t i = 0; i < version.size(); ++i)
            reply[i] = version[i];
        return true;
    default:
        break;
    }
    if (command >= Command::UnlockStep1 && command < Command::UnlockStep1 + 6) {
        return unlockStep(command - Command::UnlockStep1 + 1, request);
    }
    if (command >= Command::ScratchChunk0 && command < Command::ScratchChunk0 + 9) {
        readScratchChunk(command - Command::ScratchChunk0, reply);
        return true;
    }
    return false;
}

bool PelkoFirmware::readBlock(const Payload& request, Payload& reply) const {
    const int address = request[0];
    if (address > kLastRecordAddress) return false;
    reply[0] = uint8_t(address);
    for (int i = 0; i < 5; ++i)
        reply[size_t(1 + i)] = memory[size_t(address + i)];
    return true;
}

bool PelkoFirmware::writeBlock(const Payload& request) {
    const int address = request[0];
    if (address > kLastRecordAddress) return false;
    for (int i = 0; i < 5; ++i)
        memory[size_t(address + i)] = request[size_t(1 + i)];
    m_memoryChanged = true;
    return true;
}

bool PelkoFirmware::selectProfile(const Payload& request) {
    if (request[0] != 0 && request[0] != 11 && request[0] != 22) return false;
    memory[kProfileAddress] = request[0];
    m_memoryChanged = true;
    return true;
}

bool PelkoFirmware::setLiveState(const Payload& request) {
    if (request[0] < 1 || request[0] > 4) return false;
    memory[kStageAddress] = request[0];
    liveReportRate = request[1];
    liveButtonSwap = request[2];
    m_memoryChanged = true;
    return true;
}

// The 32 bytes must arrive in order over steps 1 to 6; step 6 answers whether they did.
bool PelkoFirmware::unlockStep(int step, const Payload& request) {
    const size_t first = size_t(step - 1) * 6;
    const size_t length = step < 6 ? 6 : 2;
    bool matches = step == 1 || (m_unlockMatches && step == m_nextUnlockStep);
    for (size_t i = 0; i < length; ++i)
        matches = matches && request[i] == kUnlockSequenceBytes[first + i];
    m_unlockMatches = matches;
    m_nextUnlockStep = step + 1;
    if (step < 6) return true;
    m_nextUnlockStep = 1;
    unlocked = unlocked || matches;
    return matches;
}

void PelkoFirmware::readScratchChunk(int chunk, Payload& reply) const {
    const size_t first = size_t(chunk) * 6;
    for (size_t i = 0; i < 6 && first + i < identity.size(); ++i)
        reply[i] = uint8_t(identity[first + i]);
}

void PelkoFirmware::cycleCpiStage() {
    memory[kStageAddress] = uint8_t(memory[kStageAddress] % 4 + 1);
    m_memoryChanged = true;
}

void PelkoFirmware::nextProfile() {
    const uint8_t profile = memory[kProfileAddress];
    memory[kProfileAddress] = profile == 0 ? 11 : profile == 11 ? 22 : 0;
    m_memoryChanged = true;
}

void PelkoFirmware::factoryReset() {
    memory = factoryMemory();
    m_memoryChanged = true;
}

bool PelkoFirmware::takeMemoryChange() {
    const bool changed = m_memoryChanged;
    m_memoryChanged = false;
    return changed;
}
