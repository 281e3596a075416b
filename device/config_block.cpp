#include "device/config_block.h"

#include "device/feature_report.h"
#include "device/mouse_lock.h"

#include <cmath>
#include <cstring>

namespace {

// Truncation toward zero; a value no int8 can hold (or NaN) stores 0 rather than an
// unspecified conversion.
int8_t truncatedSpeed(float speed) {
    if (!(std::fabs(speed) < 256.0f)) return 0;
    return int8_t(int(speed));
}

} // namespace

int readConfigBlock(HidDevice& device, MouseSettings& settings) {
    FeatureReport& report = sharedFeatureReport();
    int answered = 0;
    for (int record = 0; record < ConfigRecordCount; ++record) {
        const int address = record * ConfigRecordSize;
        buildRequest(report, Command::ReadBlock, {uint8_t(address)});
        if (!exchangeReport(device, report)) continue;
        for (int i = 0; i < ConfigRecordSize; ++i) {
            setBlockByte(settings, address + i, report.payload(1 + i));
        }
        settings.recordRead[record] = true;
        ++answered;
    }
    return answered;
}

bool readProfileRecord(HidDevice& device, int offset, ProfileSettings& profile) {
    if (profileIndex(offset) < 0) return false;
    const MouseLock mouse;
    if (!mouse.held()) return false;
    FeatureReport& report = sharedFeatureReport();
    uint8_t bytes[3 * ConfigRecordSize] = {};
    for (int part = 0; part * ConfigRecordSize < int(sizeof(ProfileSettings)); ++part) {
        const int address = ProfileBaseAddress + offset + part * ConfigRecordSize;
        buildRequest(report, Command::ReadBlock, {uint8_t(address)});
        if (!exchangeReport(device, report)) return false;
        for (int i = 0; i < ConfigRecordSize; ++i)
            bytes[part * ConfigRecordSize + i] = report.payload(1 + i);
    }
    std::memcpy(&profile, bytes, sizeof(ProfileSettings));
    return true;
}

void writeConfigBlock(HidDevice& device, const MouseSettings& settings) {
    FeatureReport& report = sharedFeatureReport();
    for (int record = 0; record < ConfigRecordCount; ++record) {
        if (!settings.recordRead[record]) continue;
        const int a = record * ConfigRecordSize;
        buildRequest(report, Command::WriteBlock,
                     {uint8_t(a), blockByte(settings, a), blockByte(settings, a + 1),
                      blockByte(settings, a + 2), blockByte(settings, a + 3),
                      blockByte(settings, a + 4)});
        exchange(device, report);
    }
}

bool storeProfile(MouseSettings& settings, ProfileMirror& mirror, const PanelValues& panel,
                  int offset) {
    const int index = profileIndex(offset);
    if (index < 0) return false;
    settings.activeProfile = 0;
    ProfileSettings& profile = settings.profiles[index];
    if (!panel.cpi1Kept) profile.cpiCode[0] = profile.cpiCode[2] = int8_t(panel.cpi1Code & 0xFF);
    if (!panel.cpi2Kept) profile.cpiCode[1] = profile.cpiCode[3] = int8_t(panel.cpi2Code & 0xFF);
    profile.reportRateCode = int8_t(panel.reportRateCode);
    profile.buttonSwap = int8_t(panel.buttonSwap);
    profile.pointerSpeed = truncatedSpeed(panel.pointerSpeed);
    profile.acceleration = int8_t(panel.acceleration);
    profile.wheelLines = int8_t((panel.wheelLines & 0xFF) + panel.onePage);

    mirror.profiles[index] = ProfileMirrorEntry{panel.cpi1Code,
                                                panel.cpi2Code,
                                                panel.reportRateCode,
                                                panel.buttonSwap,
                                                panel.pointerSpeed,
                                                panel.acceleration,
                                                panel.wheelLines + panel.onePage};
    return true;
}
