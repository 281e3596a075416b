#include "sim/sim_firmware.h"

#include "sim/sim_memory_file.h"

SimReport SimFirmware::answer(const SimReport& request) {
    SimReport reply{};
    PelkoFirmware::answer(request.data(), reply.data());
    saveChange();
    return reply;
}

void SimFirmware::cycleCpiStage() {
    PelkoFirmware::cycleCpiStage();
    saveChange();
}

void SimFirmware::nextProfile() {
    PelkoFirmware::nextProfile();
    saveChange();
}

void SimFirmware::factoryReset() {
    PelkoFirmware::factoryReset();
    saveChange();
}

void SimFirmware::saveChange() {
    if (takeMemoryChange() && !memoryFile.empty()) saveMemory(memoryFile);
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
