#include "device/feature_report.h"

FeatureReport& sharedFeatureReport() {
    static FeatureReport report;
    return report;
}

void prepareFeatureReport(FeatureReport& report) {
    report.bytes[0] = 0;
    report.bytes[1] = TransportMask;
}

void buildRequest(FeatureReport& report, uint8_t command, std::initializer_list<uint8_t> payload) {
    report.bytes[2] = command;
    size_t index = FeatureReport::payloadOffset;
    for (uint8_t value : payload) {
        if (index == FeatureReport::size) break;
        report.bytes[index++] = value ^ report.mask();
    }
    while (index < FeatureReport::size)
        report.bytes[index++] = report.mask();
}

ExchangeOutcome exchange(const HidDevice& device, FeatureReport& report) {
    if (!hidBus().HidD_SetFeature(device.handle, report.bytes.data(), FeatureReport::size)) {
        return ExchangeOutcome::SendFailed;
    }
    if (!hidBus().HidD_GetFeature(device.handle, report.bytes.data(), FeatureReport::size)) {
        return ExchangeOutcome::ReceiveFailed;
    }
    for (size_t i = FeatureReport::payloadOffset; i < FeatureReport::size; ++i) {
        report.bytes[i] ^= report.mask();
    }
    return report.status() != 0 ? ExchangeOutcome::Accepted : ExchangeOutcome::Refused;
}

bool exchangeReport(const HidDevice& device, FeatureReport& report) {
    return exchange(device, report) == ExchangeOutcome::Accepted;
}
