// The masked exchange, the unlock handshake, the scratch and version requests and the watch.
#include "tests/device/device_fixture.h"

#include <cstring>
#include <string>

namespace {

// Catches OutputDebugStringA, which raises DBG_PRINTEXCEPTION_C before any debugger sees it.
class DebugOutputCapture {
  public:
    DebugOutputCapture() {
        texts().clear();
        handler = ::AddVectoredExceptionHandler(1, &DebugOutputCapture::onException);
    }
    ~DebugOutputCapture() { ::RemoveVectoredExceptionHandler(handler); }
    static std::vector<std::string>& texts() {
        static std::vector<std::string> captured;
        return captured;
    }

  private:
    static LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || record->NumberParameters < 2) {
            return EXCEPTION_CONTINUE_SEARCH;
        }
        texts().emplace_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    void* handler;
};

std::string scratchText(size_t length) {
    return std::string(scratchArea().text, length);
}

using TransportTest = OpenMouseTest;

} // namespace

TEST_F(TransportTest, PayloadTravelsMaskedAndUnusedBytesEqualTheMask) {
    FeatureReport& report = sharedFeatureReport();
    buildRequest(report, Command::ReadBlock, {5});
    ASSERT_TRUE(exchangeReport(*device, report));
    const WireExchange& wire = bus->wireLog.at(0);
    EXPECT_EQ(wire.request[0], 0);
    EXPECT_EQ(wire.request[1], TransportMask);
    EXPECT_EQ(wire.request[2], 'D');
    const std::array<uint8_t, 6> sent{0x5F, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A};
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), wire.request.begin() + 3));
    // The reply travels masked too and is unmasked in place.
    const SimMemory& memory = bus->firmware.memory;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(wire.reply[size_t(4 + i)], memory[size_t(5 + i)] ^ TransportMask);
        EXPECT_EQ(report.payload(1 + i), memory[size_t(5 + i)]);
    }

    // A device answering with another byte 1: that reply and every later request use it.
    bus->firmware.replyMask = 0x33;
    buildRequest(report, Command::ReadBlock, {0});
    ASSERT_TRUE(exchangeReport(*device, report));
    EXPECT_EQ(report.mask(), 0x33);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(report.payload(1 + i), memory[size_t(i)]);
    buildRequest(report, Command::SelectProfile, {22});
    ASSERT_TRUE(exchangeReport(*device, report));
    const WireExchange& later = bus->wireLog.back();
    EXPECT_EQ(later.request[1], 0x33);
    EXPECT_TRUE(std::equal(later.request.begin() + 3, later.request.end(),
                           maskedPayload({22}, 0x33).begin()));
    EXPECT_EQ(memory[6], 22);
}

TEST_F(TransportTest, RefusalsAreUnmaskedButTransportFailuresStayMasked) {
    FeatureReport& report = sharedFeatureReport();
    bus->firmware.refusedCommands = {'D'};
    buildRequest(report, Command::ReadBlock, {10});
    EXPECT_EQ(exchange(*device, report), ExchangeOutcome::Refused);
    EXPECT_FALSE(exchangeReport(*device, report));
    EXPECT_EQ(bus->wireLog.back().reply[3], TransportMask); // zero on the wire
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(report.payload(i), 0);

    bus->faults.failSendAt = 2;
    bus->faults.failReceiveAt = 3;
    for (ExchangeOutcome expected : {ExchangeOutcome::SendFailed, ExchangeOutcome::ReceiveFailed}) {
        buildRequest(report, Command::WriteBlock, {10, 1, 2, 3, 4, 5});
        const FeatureReport before = report;
        EXPECT_EQ(exchange(*device, report), expected);
        EXPECT_EQ(report.bytes, before.bytes);
    }
    EXPECT_EQ(bus->firmware.memory[10], 1); // the receive failure came after the write
}

TEST_F(TransportTest, UnlockCarriesTheSequenceInOrderAndOnlyStepSixCounts) {
    ASSERT_TRUE(unlockDevice(*device));
    ASSERT_EQ(bus->exchangeCount(), 6);
    std::vector<uint8_t> carried;
    for (int step = 0; step < 6; ++step) {
        const WireExchange& wire = bus->wireLog[size_t(step)];
        EXPECT_EQ(wire.command, step + 1);
        const size_t length = step < 5 ? 6 : 2;
        carried.insert(carried.end(), wire.payload.begin(), wire.payload.begin() + long(length));
        if (step == 5) {
            for (size_t i = 2; i < 6; ++i)
                EXPECT_EQ(wire.payload[i], 0);
        }
    }
    EXPECT_TRUE(std::equal(carried.begin(), carried.end(), UnlockSequence.begin()));
    EXPECT_TRUE(device->unlocked);
    EXPECT_TRUE(bus->firmware.unlocked);

    // Refused steps 1 to 5 do not stop the handshake; a refused step 6 leaves the flag clear.
    device->unlocked = FALSE;
    bus->wireLog.clear();
    bus->firmware.refusedCommands = {1, 2, 3, 4, 5};
    ASSERT_TRUE(unlockDevice(*device));
    EXPECT_EQ(bus->exchangeCount(), 6);
    bus->firmware.refusedCommands = {6};
    ASSERT_TRUE(unlockDevice(*device));
    EXPECT_EQ(bus->exchangeCount(), 12);
    EXPECT_FALSE(device->unlocked);

    // A transport failure stops it at once; a lost step 6 reply leaves the flag clear.
    bus->firmware.refusedCommands.clear();
    bus->wireLog.clear();
    bus->faults.failSendAt = 2;
    EXPECT_FALSE(unlockDevice(*device));
    EXPECT_EQ(bus->exchangeCount(), 3);
    bus->wireLog.clear();
    bus->faults = SimFaults{};
    bus->faults.failReceiveAt = 5;
    EXPECT_FALSE(unlockDevice(*device));
    EXPECT_FALSE(device->unlocked);
}

TEST_F(TransportTest, ScratchReadSkipsRefusedChunksAndNeedsTheLastForItsOutput) {
    const std::string identity(bus->firmware.identity.data(), 50);
    {
        DebugOutputCapture capture;
        EXPECT_TRUE(readScratchArea(*device));
        EXPECT_EQ(scratchText(50), identity);
        EXPECT_EQ(scratchArea().text[50], 0);
        ASSERT_EQ(DebugOutputCapture::texts().size(), 1u);
        EXPECT_EQ(DebugOutputCapture::texts()[0], identity.c_str());
        EXPECT_EQ(bus->exchangeCount(), 9);
    }
    {
        scratchArea() = ScratchArea{};
        bus->firmware.refusedCommands = {0x13};
        DebugOutputCapture capture;
        EXPECT_TRUE(readScratchArea(*device));
        EXPECT_EQ(scratchText(44), identity.substr(0, 18) + identity.substr(24, 26));
        EXPECT_EQ(scratchText(50).substr(44), std::string(6, '\0'));
        EXPECT_EQ(DebugOutputCapture::texts().size(), 1u);
    }
    {
        scratchArea() = ScratchArea{};
        bus->firmware.refusedCommands = {0x18};
        DebugOutputCapture capture;
        EXPECT_FALSE(readScratchArea(*device));
        EXPECT_EQ(scratchText(48), identity.substr(0, 48));
        EXPECT_TRUE(DebugOutputCapture::texts().empty());
    }
    {
        bus->firmware.refusedCommands.clear();
        bus->wireLog.clear();
        bus->faults.failSendAt = 4;
        EXPECT_FALSE(readScratchArea(*device));
        EXPECT_EQ(bus->exchangeCount(), 5);
    }
}

TEST_F(TransportTest, InitialisationGivesTheVersionTextOrFailsOnTransport) {
    bus->firmware.version = {0xFF, 0x01, 0x02};
    sharedFeatureReport().bytes[1] = 0x77; // left by an earlier device
    ASSERT_TRUE(runDeviceInitialisation(*device, firmwareVersion));
    EXPECT_EQ(firmwareVersion, L" Version 255.1.2 ");
    ASSERT_EQ(bus->exchangeCount(), 16);
    EXPECT_EQ(bus->wireLog[0].request[1], TransportMask);
    EXPECT_EQ(bus->wireLog[15].command, 0x22);
    EXPECT_EQ(bus->wireLog[15].payload, (std::array<uint8_t, 6>{}));

    firmwareVersion.clear();
    bus->firmware.refusedCommands = {0x22};
    EXPECT_TRUE(runDeviceInitialisation(*device, firmwareVersion));
    EXPECT_EQ(firmwareVersion, L"");

    bus->firmware.refusedCommands.clear();
    bus->faults.failReceiveForCommand = 0x22;
    EXPECT_FALSE(runDeviceInitialisation(*device, firmwareVersion));
    EXPECT_EQ(firmwareVersion, L"");
}

TEST_F(TransportTest, WatchFollowsTheMouseAndMarksALostDevice) {
    EXPECT_EQ(sendWatchRequest(*device).outcome, WatchOutcome::NotPolled); // not unlocked
    EXPECT_EQ(bus->exchangeCount(), 0);
    ASSERT_TRUE(unlockDevice(*device));
    bus->wireLog.clear();

    WatchReply reply = sendWatchRequest(*device);
    EXPECT_EQ(reply.outcome, WatchOutcome::Answered);
    EXPECT_EQ(reply.activeProfile, 0);
    EXPECT_EQ(reply.cpiStage, 1);
    EXPECT_EQ(bus->wireLog[0].command, 'D');
    EXPECT_EQ(bus->wireLog[0].payload[0], 6);
    bus->pressNextProfile();
    bus->pressCycleCpiStage();
    reply = sendWatchRequest(*device);
    EXPECT_EQ(reply.activeProfile, 11);
    EXPECT_EQ(reply.cpiStage, 2);

    // A lost reply ends the tick; the device stays as it was.
    bus->faults.failReceiveAt = bus->exchangeCount();
    EXPECT_EQ(sendWatchRequest(*device).outcome, WatchOutcome::NoReply);
    EXPECT_TRUE(hasOpenHandle(*device) && device->unlocked && device->readAccess);

    // A failed send means the device is gone: handle closed, rights cleared, no more polls.
    bus->unplug();
    EXPECT_EQ(sendWatchRequest(*device).outcome, WatchOutcome::DeviceLost);
    EXPECT_EQ(device->handle, nullptr);
    EXPECT_FALSE(device->readAccess || device->writeAccess || device->unlocked);
    EXPECT_EQ(bus->openHandleCount(), 1);
    const int sent = bus->exchangeCount();
    EXPECT_EQ(sendWatchRequest(*device).outcome, WatchOutcome::NotPolled);
    EXPECT_EQ(bus->exchangeCount(), sent);
}
