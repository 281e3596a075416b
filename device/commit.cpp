#include "device/commit.h"

#include "device/config_block.h"
#include "device/feature_report.h"
#include "device/mouse_lock.h"
#include "device/protocol_wait.h"

namespace {

constexpr uint8_t stageAddress = 7;
constexpr int8_t applyValueAt2 = 0x1F;
constexpr int8_t applyValueAt4 = int8_t(0xE0);
constexpr DWORD waitAfterWrite = 200;
constexpr DWORD waitBetweenStages = 400;

void readStage(HidDevice& device, MouseSettings& settings) {
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::ReadBlock, {stageAddress});
    if (exchangeReport(device, report)) settings.cpiStage = int8_t(report.payload(1));
}

void sendLiveState(HidDevice& device, int stage, const LiveState& live) {
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::SetLiveState,
                 {uint8_t(stage), uint8_t(live.reportRateCode), uint8_t(live.buttonSwap)});
    exchange(device, report);
}

} // namespace

int twinStage(int stage) {
    switch (stage) {
    case 1:
        return 3;
    case 3:
        return 1;
    case 2:
        return 4;
    case 4:
        return 2;
    default:
        return stage;
    }
}

void commitSettings(HidDevice& device, MouseSettings& settings, const PanelValues& panel,
                    int currentProfile, CommitKind kind) {
    const MouseLock mouse;
    if (!mouse.held()) return;
    readStage(device, settings);
    if (kind == CommitKind::Apply) {
        settings.fixed2 = applyValueAt2;
        settings.fixed4 = applyValueAt4;
    }
    writeConfigBlock(device, settings);
    waitMilliseconds(waitAfterWrite);
    selectProfileLive(device, currentProfile,
                      LiveState{settings.cpiStage, panel.reportRateCode, panel.buttonSwap});
}

bool selectProfileLive(HidDevice& device, int profileOffset, const LiveState& live) {
    const MouseLock mouse; // the commit's hold is taken again by the same thread at once
    if (!mouse.held()) return false;
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::SelectProfile, {uint8_t(profileOffset)});
    exchange(device, report);

    sendLiveState(device, twinStage(live.stage), live);
    waitMilliseconds(waitBetweenStages);
    sendLiveState(device, live.stage, live);
    return true;
}
