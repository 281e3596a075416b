// The masked 9-byte feature report that carries every request to the mouse and its reply.
#pragma once

#include "device/hid_device.h"
#include "device/protocol_constants.h"

#include <array>
#include <cstdint>
#include <initializer_list>

// Byte 0 report id, byte 1 mask, byte 2 command (request) or status (reply), bytes 3 to 8 the
// masked payload (unmasked in place after a completed exchange).
struct FeatureReport {
    static constexpr int size = 9;
    static constexpr int payloadOffset = 3;
    static constexpr int payloadSize = 6;
    std::array<uint8_t, size> bytes{};

    uint8_t mask() const { return bytes[1]; }
    uint8_t status() const { return bytes[2]; }
    uint8_t payload(int index) const { return bytes[size_t(payloadOffset + index)]; }
};

inline constexpr std::array<uint8_t, 32> UnlockSequence = std::to_array(kUnlockSequenceBytes);

// The program's one report buffer.
FeatureReport& sharedFeatureReport();

// Report id 0 and the transport mask, before a device's first request.
void prepareFeatureReport(FeatureReport& report);

// Command code in byte 2, the payload XOR the mask in bytes 3 on; unused payload bytes are 0.
void buildRequest(FeatureReport& report, uint8_t command, std::initializer_list<uint8_t> payload);

// SendFailed and ReceiveFailed are transport failures (HidD_SetFeature, HidD_GetFeature).
enum class ExchangeOutcome { SendFailed, ReceiveFailed, Refused, Accepted };

inline bool isTransportFailure(ExchangeOutcome outcome) {
    return outcome == ExchangeOutcome::SendFailed || outcome == ExchangeOutcome::ReceiveFailed;
}

// SetFeature then GetFeature on the device's handle. After both succeed the payload is
// unmasked with the reply's byte 1; after a failure it stays as it was.
ExchangeOutcome exchange(const HidDevice& device, FeatureReport& report);

// True when the device accepted the request.
bool exchangeReport(const HidDevice& device, FeatureReport& report);
