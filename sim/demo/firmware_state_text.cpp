#include "sim/demo/firmware_state_text.h"

#include "app/settings_rules.h"

namespace {

constexpr size_t kProfileAddress = 6;
constexpr size_t kStageAddress = 7;

std::wstring profileOf(uint8_t offset) {
    switch (offset) {
    case 0:
        return L"1";
    case 11:
        return L"2";
    case 22:
        return L"3";
    default:
        return L"none (" + std::to_wstring(offset) + L")";
    }
}

std::wstring stageOf(uint8_t stage) {
    if (stage >= 1 && stage <= 4) return std::to_wstring(stage);
    return L"none (" + std::to_wstring(stage) + L")";
}

std::wstring reportRateOf(uint8_t code) {
    const std::optional<Rate> rate = rateOfCode(code);
    if (!rate) return L"code " + std::to_wstring(code);
    switch (*rate) {
    case Rate::Hz125:
        return L"125 Hz";
    case Rate::Hz500:
        return L"500 Hz";
    case Rate::Hz1000:
        return L"1000 Hz";
    }
    return {};
}

std::wstring buttonSwapOf(uint8_t code) {
    if (code <= 1) return code ? L"on" : L"off";
    return L"code " + std::to_wstring(code);
}

} // namespace

FirmwareStateText firmwareStateText(const SimFirmware& firmware) {
    return {profileOf(firmware.memory[kProfileAddress]), stageOf(firmware.memory[kStageAddress]),
            reportRateOf(firmware.liveReportRate), buttonSwapOf(firmware.liveButtonSwap)};
}
