// The cable pulled, a request lost and an answer lost at every exchange of the start-up and of
// Apply, through the real window: nothing crashes or hangs, a start-up without the firmware's
// version cancels the window and any later fault leaves a working one, a pulled cable is
// reported by the watch, and the mouse's memory only ever holds bytes the mouse or the panel
// gave.
#include "device/commit.h"
#include "tests/app/app_fixture.h"
#include "tests/fault/window_checks.h"

#include <string>
#include <vector>

namespace {

using namespace layout::id;

enum class Fault { CablePulled, RequestLost, AnswerLost };
constexpr Fault kFaults[] = {Fault::CablePulled, Fault::RequestLost, Fault::AnswerLost};
constexpr int kApplyExchanges = 30;
constexpr uint8_t kVersionRequest = 0x22;
constexpr int kFirstBlockRead = 16; // unlock (6), identity text (9), version (1), then 26 reads
const wchar_t kLostMouse[] = L"No Glimmerhaus Pelko detected!";

const char* nameOf(Fault fault) {
    return fault == Fault::CablePulled   ? "cable pulled"
           : fault == Fault::RequestLost ? "request lost"
                                         : "answer lost";
}

void plant(SimFaults& faults, Fault fault, int at) {
    if (fault == Fault::CablePulled) faults.unplugAt = at;
    if (fault == Fault::RequestLost) faults.failSendAt = at;
    if (fault == Fault::AnswerLost) faults.failReceiveAt = at;
}

// Whether the firmware-version request was carried (answered or refused, not lost).
// The bytes a sound Apply may leave besides the memory's old and new ones: the block carries
// address 6 as profile 1 until the profile is selected, and the stage goes through its twin.
bool protocolStep(size_t address, uint8_t value, const SimMemory& applied) {
    if (address == 6) return value == 0;
    if (address == 7) return value == twinStage(applied[7]);
    return false;
}

bool versionCarried(const std::vector<WireExchange>& log) {
    for (const WireExchange& e : log)
        if (e.command == kVersionRequest) return !isTransportFailure(e.result);
    return false;
}

} // namespace

class CableFaultTest : public AppTest {
  protected:
    // Edits on two profiles through the window's commands: profile 1 at 1000 Hz, profile 2
    // (its factory choices) with the buttons swapped.
    void edit() {
        dialog->SendMessage(WM_COMMAND, kRate1000);
        dialog->SendMessage(WM_COMMAND, kProfile2);
        dialog->SendMessage(WM_COMMAND, kSwapOn);
    }

    // A working window answers the watch: a pulled cable is found at one tick and reported at
    // the next; a mouse still there is polled without a box.
    void expectWatchAfter(Fault fault, const std::string& where) {
        const bool pulled = fault == Fault::CablePulled;
        EXPECT_EQ(watchTick(*dialog), L"") << where;
        EXPECT_EQ(watchTick(*dialog), pulled ? kLostMouse : L"") << where;
        if (!pulled) {
            EXPECT_EQ(bus->wireLog.back().result, ExchangeOutcome::Accepted) << where;
        }
    }
};

TEST_F(CableFaultTest, AtEveryStartUpExchangeTheWindowCancelsOrWorks) {
    build().SendMessage(WM_COMMAND, kApply);
    const SimMemory applied = bus->firmware.memory; // after a start-up without faults
    for (Fault fault : kFaults) {
        for (int at = 0; at < kStartUpExchanges; ++at) {
            const std::string where = std::string(nameOf(fault)) + " at " + std::to_string(at);
            resetBus();
            const SimMemory before = bus->firmware.memory;
            plant(bus->faults, fault, at);
            CPELKOmouseDlg& d = build();
            const bool cancelled = d.GetResult() == IDCANCEL;
            EXPECT_EQ(cancelled, !versionCarried(bus->wireLog)) << where;
            EXPECT_EQ(cancelled, fault == Fault::CablePulled ? at < kFirstBlockRead
                                                             : at == kFirstBlockRead - 1)
                << where;
            EXPECT_EQ(bus->firmware.memory, before) << where; // a start-up writes nothing
            if (cancelled) continue;
            EXPECT_GT(paintedHeadingPixels(d, layout::Page::Options), 0) << where;
            EXPECT_GT(paintedHeadingPixels(d, layout::Page::Main), 0) << where;
            expectWatchAfter(fault, where);
            EXPECT_EQ(bus->firmware.memory, before) << where;
            if (fault != Fault::AnswerLost || at < kFirstBlockRead) continue;
            // A record whose answer was lost is not known, so Apply must not write it.
            d.SendMessage(WM_COMMAND, kApply);
            const int record = at - kFirstBlockRead;
            for (size_t a = 0; a < applied.size(); ++a) {
                const bool unread = int(a) / 5 == record;
                EXPECT_EQ(bus->firmware.memory[a], unread ? before[a] : applied[a])
                    << where << ": address " << a;
            }
        }
    }
}

TEST_F(CableFaultTest, AtEveryApplyExchangeTheMemoryHoldsOnlyWhatTheMouseOrThePanelGave) {
    build();
    edit();
    const SimMemory before = bus->firmware.memory;
    dialog->SendMessage(WM_COMMAND, kApply);
    const SimMemory applied = bus->firmware.memory;
    ASSERT_NE(applied, before);

    for (Fault fault : kFaults) {
        for (int at = 0; at < kApplyExchanges; ++at) {
            const std::string where = std::string(nameOf(fault)) + " at " + std::to_string(at);
            resetBus();
            build();
            edit();
            plant(bus->faults, fault, kStartUpExchanges + at);
            dialog->SendMessage(WM_COMMAND, kApply);
            // The sequence goes on past a failed exchange, and ends.
            EXPECT_EQ(exchangesSince(kStartUpExchanges).size(), size_t(kApplyExchanges)) << where;
            EXPECT_TRUE(dialog->applyIdle) << where;
            for (size_t a = 0; a < applied.size(); ++a) {
                const uint8_t now = bus->firmware.memory[a];
                EXPECT_TRUE(now == before[a] || now == applied[a] || protocolStep(a, now, applied))
                    << where << ": address " << a << " holds " << int(now);
            }
            if (fault == Fault::AnswerLost) { // the mouse did all it was asked
                EXPECT_EQ(bus->firmware.memory, applied) << where;
            }
            expectWatchAfter(fault, where);
        }
    }
}
