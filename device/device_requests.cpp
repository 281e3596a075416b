#include "device/device_requests.h"

#include "device/mouse_lock.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int unlockSteps = 6;
constexpr int scratchChunks = 9;
constexpr size_t scratchTextLength = sizeof(ScratchArea::text) - 1;

ExchangeOutcome sendUnlockStep(HidDevice& device, int step) {
    FeatureReport& report = sharedFeatureReport();
    const size_t first = size_t(step - 1) * 6;
    if (step < unlockSteps) {
        const uint8_t* b = &UnlockSequence[first];
        buildRequest(report, uint8_t(Command::UnlockStep1 + step - 1),
                     {b[0], b[1], b[2], b[3], b[4], b[5]});
    } else {
        buildRequest(report, uint8_t(Command::UnlockStep1 + step - 1),
                     {UnlockSequence[first], UnlockSequence[first + 1]});
    }
    return exchange(device, report);
}

} // namespace

bool unlockDevice(HidDevice& device) {
    for (int step = 1; step <= unlockSteps; ++step) {
        const ExchangeOutcome outcome = sendUnlockStep(device, step);
        if (isTransportFailure(outcome)) return false;
        if (step == unlockSteps && outcome == ExchangeOutcome::Accepted) device.unlocked = TRUE;
    }
    return true;
}

ScratchArea& scratchArea() {
    static ScratchArea area;
    return area;
}

bool readScratchArea(HidDevice& device) {
    FeatureReport& report = sharedFeatureReport();
    char* text = scratchArea().text;
    size_t filled = 0;
    for (int chunk = 0; chunk < scratchChunks; ++chunk) {
        buildRequest(report, uint8_t(Command::ScratchChunk0 + chunk), {});
        const ExchangeOutcome outcome = exchange(device, report);
        if (isTransportFailure(outcome)) return false;
        if (outcome == ExchangeOutcome::Refused) continue;
        const size_t length = chunk < scratchChunks - 1 ? 6 : 2;
        for (size_t i = 0; i < length && filled < scratchTextLength; ++i) {
            text[filled++] = char(report.payload(int(i)));
        }
        if (chunk == scratchChunks - 1) {
            ::OutputDebugStringA(text);
            return true;
        }
    }
    return false;
}

ExchangeOutcome requestFirmwareVersion(HidDevice& device, FirmwareVersion& version) {
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::FirmwareVersion, {});
    const ExchangeOutcome outcome = exchange(device, report);
    version = FirmwareVersion{};
    if (outcome == ExchangeOutcome::Accepted) {
        version = FirmwareVersion{true, report.payload(0), report.payload(1), report.payload(2)};
    }
    return outcome;
}

std::wstring firmwareVersionText(const FirmwareVersion& version) {
    if (!version.present) return {};
    wchar_t text[32] = {};
    std::swprintf(text, 32, L" Version %u.%u.%u ", unsigned(version.major), unsigned(version.minor),
                  unsigned(version.build));
    return text;
}

bool runDeviceInitialisation(HidDevice& device, std::wstring& firmwareVersion) {
    prepareFeatureReport(sharedFeatureReport());
    unlockDevice(device);
    readScratchArea(device);
    FirmwareVersion version;
    if (isTransportFailure(requestFirmwareVersion(device, version))) return false;
    if (version.present) firmwareVersion = firmwareVersionText(version);
    return true;
}

WatchReply sendWatchRequest(HidDevice& device) {
    WatchReply reply;
    if (!hasOpenHandle(device) || !device.readAccess || !device.unlocked) return reply;
    const MouseLock mouse;
    if (!mouse.held()) {
        reply.outcome = WatchOutcome::NoReply;
        return reply;
    }
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::ReadBlock, {6});
    switch (exchange(device, report)) {
    case ExchangeOutcome::SendFailed:
        markDeviceLost(device);
        reply.outcome = WatchOutcome::DeviceLost;
        break;
    case ExchangeOutcome::ReceiveFailed:
        reply.outcome = WatchOutcome::NoReply;
        break;
    case ExchangeOutcome::Refused:
        reply.outcome = WatchOutcome::Refused;
        break;
    case ExchangeOutcome::Accepted:
        reply = WatchReply{WatchOutcome::Answered, report.payload(1), report.payload(2)};
        break;
    }
    return reply;
}
