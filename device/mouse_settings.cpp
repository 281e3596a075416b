#include "device/mouse_settings.h"

namespace {

constexpr int firstByteAddress = 2;
constexpr int lastKeptAddress = 127;

// Addresses 2 to 127 lie in address order from `fixed2` on.
const uint8_t* keptBytes(const MouseSettings& settings) {
    return reinterpret_cast<const uint8_t*>(&settings.fixed2);
}

uint8_t* keptBytes(MouseSettings& settings) {
    return reinterpret_cast<uint8_t*>(&settings.fixed2);
}

} // namespace

uint8_t blockByte(const MouseSettings& settings, int address) {
    if (address == 0) return uint8_t(settings.defaultsMarkerA & 0xFF);
    if (address == 1) return uint8_t(settings.defaultsMarkerB & 0xFF);
    if (address < firstByteAddress || address > lastKeptAddress) return 0;
    return keptBytes(settings)[address - firstByteAddress];
}

void setBlockByte(MouseSettings& settings, int address, uint8_t value) {
    if (address == 0) {
        settings.defaultsMarkerA = value;
    } else if (address == 1) {
        settings.defaultsMarkerB = value;
    } else if (address >= firstByteAddress && address <= lastKeptAddress) {
        keptBytes(settings)[address - firstByteAddress] = value;
    }
}

int profileIndex(int offset) {
    switch (offset) {
    case 0:
        return 0;
    case 11:
        return 1;
    case 22:
        return 2;
    default:
        return -1;
    }
}

bool bytesRead(const MouseSettings& settings, int first, int count) {
    if (first < 0 || count <= 0 || first + count > ConfigBlockSize) return false;
    for (int record = first / ConfigRecordSize; record <= (first + count - 1) / ConfigRecordSize;
         ++record)
        if (!settings.recordRead[record]) return false;
    return true;
}
