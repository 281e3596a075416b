#include "sim/sim_firmware.h"

#include "device/feature_report.h"
#include "sim/sim_memory_file.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int lastRecordAddress = 125;
constexpr int profileAddress = 6;
constexpr int stageAddress = 7;
const char identityText[] = "Glimmerhaus Pelko optical sensor board, rev C 2719";

void setProfile(SimMemory& memory, int base, std::array<uint8_t, 11> bytes) {
    for (int i = 0; i < 11; ++i) {
        // +4 and +10 are carried through: keep their distinctive bytes.
        if (i != 4 && i != 10) memory[size_t(base + i)] = bytes[size_t(i)];
    }
}

} // namespace

SimFirmware::SimFirmware() : memory(factoryMemory()) {
    std::memcpy(identity.data(), identityText, std::min(sizeof(identityText), identity.size()));
}

uint8_t SimFirmware::carriedByte(int address) {
    return uint8_t(0x30 + address);
}

SimMemory SimFirmware::factoryMemory() {
    SimMemory m{};
    for (int a = 0; a < 128; ++a)
        m[size_t(a)] = carriedByte(a);
    m[0] = 0xFF;
    m[1] = 0xFF;
    m[2] = 0x11;
    m[4] = 0x22;
    m[profileAddress] = 0;
    m[stageAddress] = 1;
    setProfile(m, 28, {8, 16, 8, 16, 0, 2, 0, 10, 1, 3, 0});
    setProfile(m, 39, {8, 64, 8, 64, 0, 1, 0, 12, 1, 5, 0});
    setProfile(m, 50, {16, 32, 16, 32, 0, 8, 1, 8, 0, 0x83, 0});
    m[128] = 0xA5;
    m[129] = 0x5A;
    return m;
}

SimReport SimFirmware::answer(const SimReport& request) {
    const uint8_t requestMask = request[1];
    const uint8_t command = request[2];
    Payload payload{};
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = request[3 + i] ^ requestMask;

    Payload reply{};
    bool accepted = !refusedCommands.count(command) &&
                    !refusedAddresses.count({command, payload[0]}) &&
                    handle(command, payload, reply);
    if (!accepted) reply = Payload{};

    const uint8_t mask = replyMask.value_or(requestMask);
    SimReport answer{};
    answer[1] = mask;
    answer[2] = accepted ? 1 : 0;
    for (size_t i = 0; i < reply.size(); ++i)
        answer[3 + i] = reply[i] ^ mask;
    return answer;
}

bool SimFirmware::handle(uint8_t command, const Payload& request, Payload& reply) {
    switch (command) {
    case Command::ReadBlock:
        return readBlock(request, reply);
    case Command::WriteBlock:
        return writeBlock(request);
    case Command::SelectProfile:
        if (request[0] != 0 && request[0] != 11 && request[0] != 22) return false;
        memory[profileAddress] = request[0];
        changed();
        return true;
    case Command::SetLiveState:
        if (request[0] < 1 || request[0] > 4) return false;
        memory[stageAddress] = request[0];
        liveReportRate = request[1];
        liveButtonSwap = request[2];
        changed();
        return true;
    case Command::FirmwareVersion:
        std::copy(version.begin(), version.end(), reply.begin());
        return true;
    default:
        break;
    }
    if (command >= Command::UnlockStep1 && command < Command::UnlockStep1 + 6) {
        return unlockStep(command - Command::UnlockStep1 + 1, request);
    }
    if (command >= Command::ScratchChunk0 && command < Command::ScratchChunk0 + 9) {
        const size_t first = size_t(command - Command::ScratchChunk0) * 6;
        for (size_t i = 0; i < 6 && first + i < identity.size(); ++i) {
            reply[i] = uint8_t(identity[first + i]);
        }
        return true;
    }
    return false;
}

bool SimFirmware::readBlock(const Payload& request, Payload& reply) const {
    const int address = request[0];
    if (address > lastRecordAddress) return false;
    reply[0] = uint8_t(address);
    for (int i = 0; i < 5; ++i)
        reply[size_t(1 + i)] = memory[size_t(address + i)];
    return true;
}

bool SimFirmware::writeBlock(const Payload& request) {
    const int address = request[0];
    if (address > lastRecordAddress) return false;
    for (int i = 0; i < 5; ++i)
        memory[size_t(address + i)] = request[size_t(1 + i)];
    changed();
    return true;
}

// The 32 bytes must arrive in order over steps 1 to 6; step 6 answers whether they did.
bool SimFirmware::unlockStep(int step, const Payload& request) {
    const size_t first = size_t(step - 1) * 6;
    const size_t length = step < 6 ? 6 : 2;
    bool matches = step == 1 || (unlockMatches && step == nextUnlockStep);
    for (size_t i = 0; i < length; ++i)
        matches = matches && request[i] == UnlockSequence[first + i];
    unlockMatches = matches;
    nextUnlockStep = step + 1;
    if (step < 6) return true;
    nextUnlockStep = 1;
    unlocked = unlocked || matches;
    return matches;
}

void SimFirmware::cycleCpiStage() {
    memory[stageAddress] = uint8_t(memory[stageAddress] % 4 + 1);
    changed();
}

void SimFirmware::nextProfile() {
    const uint8_t profile = memory[profileAddress];
    memory[profileAddress] = profile == 0 ? 11 : profile == 11 ? 22 : 0;
    changed();
}

void SimFirmware::factoryReset() {
    memory = factoryMemory();
    changed();
}

void SimFirmware::changed() {
    if (!memoryFile.empty()) saveMemory(memoryFile);
}

bool SimFirmware::persistTo(const std::wstring& path) {
    memoryFile = path;
    loadMemory(path);
    return saveMemory(path);
}

bool SimFirmware::saveMemory(const std::wstring& path) const {
    return writeSimMemoryFile(path, memory);
}

bool SimFirmware::loadMemory(const std::wstring& path) {
    const std::optional<SimMemory> image = readSimMemoryFile(path);
    memory = image.value_or(factoryMemory());
    return image.has_value();
}
