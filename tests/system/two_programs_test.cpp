// Two programs on one mouse over the system's HID stack: whatever else talks to the mouse,
// each protocol sequence (a start-up, a commit, a watch request) runs whole on the wire.
#include "app/window_layout.h"
#include "device/mouse_lock.h"
#include "sim/pelko_firmware.h"
#include "tests/e2e/remote_window.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kTimeoutMs = 15000;
constexpr const wchar_t* kMainTitle = L"Glimmerhaus Pelko";
// The soak (scripts/soak-two-copies) runs more rounds.
constexpr int kTwoCopiesRounds = 3;

enum class Sequence { StartUp, Commit, Watch };

struct Step {
    uint8_t command;
    int address; // payload byte 0; -1: not looked at
};

std::vector<Step> stepsOf(Sequence sequence) {
    if (sequence == Sequence::Watch) return {{'D', 6}};
    std::vector<Step> steps;
    if (sequence == Sequence::StartUp) {
        for (uint8_t unlock = 0x01; unlock <= 0x06; ++unlock)
            steps.push_back({unlock, -1});
        for (uint8_t scratch = 0x10; scratch <= 0x18; ++scratch)
            steps.push_back({scratch, -1});
        steps.push_back({0x22, -1});
    } else {
        steps.push_back({'D', 7});
    }
    const uint8_t block = sequence == Sequence::StartUp ? 'D' : 'E';
    for (int address = 0; address < 130; address += 5)
        steps.push_back({block, address});
    if (sequence == Sequence::Commit) steps.insert(steps.end(), {{'I', -1}, {'!', -1}, {'!', -1}});
    return steps;
}

// The sequences the log is made of, in order. `broken` names the first exchange that belongs
// to none: another program's request inside a sequence, or a reply that went astray.
std::vector<Sequence> sequencesIn(const std::vector<WireLine>& lines, std::string& broken) {
    std::vector<Sequence> found;
    for (size_t i = 0; i < lines.size();) {
        const WireLine& first = lines[i];
        const Sequence sequence = first.command() == 0x01 ? Sequence::StartUp
                                  : first.command() == 'D' && first.payload(0) == 7
                                      ? Sequence::Commit
                                      : Sequence::Watch;
        const std::vector<Step> steps = stepsOf(sequence);
        for (size_t k = 0; k < steps.size(); ++k) {
            const WireLine* line = i + k < lines.size() ? &lines[i + k] : nullptr;
            if (line && line->command() == steps[k].command && line->result == "accepted" &&
                (steps[k].address < 0 || line->payload(0) == steps[k].address))
                continue;
            broken =
                "the sequence from exchange " + std::to_string(first.index) +
                (line ? " is broken at exchange " + std::to_string(line->index) : " is cut short");
            return found;
        }
        found.push_back(sequence);
        i += steps.size();
    }
    return found;
}

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int twoCopiesRounds() {
    const char* rounds = std::getenv("PELKO_TWO_COPIES_ROUNDS");
    return rounds ? std::max(1, std::atoi(rounds)) : kTwoCopiesRounds;
}

class TwoProgramsTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    // A fresh mouse on a configured memory (markers 12 and 3, profile 3 active), so that no
    // profile gets factory choices and OK writes back what it read.
    void plugSeededMouse() {
        const fs::path folder = binFolder() / L"two-programs-tests";
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
        fs::remove(wireLog);
        const FirmwareMemory factory = PelkoFirmware::factoryMemory();
        seeded.assign(factory.begin(), factory.end());
        seeded[0] = 12;
        seeded[1] = 3;
        seeded[PelkoFirmware::kProfileAddress] = 22;
        std::ofstream(memoryFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(seeded.data()), std::streamsize(seeded.size()));
        ASSERT_TRUE(VirtualMouse().plug(memoryFile, wireLog))
            << "the virtual mouse did not plug in";
    }

    // The log's sequences other than the watch's, each checked to be whole.
    std::vector<Sequence> wholeSequences() const {
        std::string broken;
        std::vector<Sequence> found = sequencesIn(readWireLog(wireLog), broken);
        EXPECT_EQ(broken, "");
        found.erase(std::remove(found.begin(), found.end(), Sequence::Watch), found.end());
        return found;
    }

    const fs::path program = binFolder() / L"pelkocfg.exe";
    fs::path memoryFile, wireLog;
    std::vector<uint8_t> seeded;
};

// A double click that landed twice, then OK in each window: the start-ups and the commits run
// one after the other, and the memory keeps every byte it held (OK writes 0 at 128 and 129).
TEST_F(TwoProgramsTest, TwoCopiesStartedTogetherEachRunWholeAndTheirOkKeepsTheMemory) {
    for (int round = 1, rounds = twoCopiesRounds(); round <= rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        plugSeededMouse();
        Program first(program), second(program);
        const HWND firstWindow = first.window(kMainTitle), secondWindow = second.window(kMainTitle);
        ASSERT_TRUE(firstWindow && secondWindow) << "a copy showed no window";
        ::PostMessageW(firstWindow, WM_COMMAND, IDOK, 0);
        ::PostMessageW(secondWindow, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(first.ended(kTimeoutMs), 0);
        EXPECT_EQ(second.ended(kTimeoutMs), 0);
        std::vector<uint8_t> expected = seeded;
        expected[128] = expected[129] = 0;
        EXPECT_EQ(fileBytes(memoryFile), expected);
        EXPECT_EQ(wholeSequences(), (std::vector<Sequence>{Sequence::StartUp, Sequence::StartUp,
                                                           Sequence::Commit, Sequence::Commit}));
    }
}

// Started between the commit's stage read and its end (600 ms of waits lie ahead): the second
// copy's start-up waits for the commit's last exchange.
TEST_F(TwoProgramsTest, ASecondCopyStartedDuringAnApplyStartsAfterTheWholeCommit) {
    plugSeededMouse();
    Program first(program);
    RemoteWindow window(first, false);
    ASSERT_TRUE(window.found());
    ASSERT_TRUE(window.clickControl(layout::id::kApply));
    ASSERT_TRUE(waitFor(
        [&] {
            const std::vector<WireLine> lines = readWireLog(wireLog);
            return std::any_of(lines.begin(), lines.end(), [](const WireLine& line) {
                return line.command() == 'D' && line.payload(0) == 7;
            });
        },
        kTimeoutMs));
    Program second(program);
    ASSERT_TRUE(second.window(kMainTitle)) << "the second copy showed no window";
    EXPECT_EQ(wholeSequences(),
              (std::vector<Sequence>{Sequence::StartUp, Sequence::Commit, Sequence::StartUp}));
}

// A program (of any session: it holds the mouse under the machine-wide name) killed while it
// held the mouse: the start-up waits for it and, once it is dead, takes the mouse over at once
// instead of giving up at the bound.
TEST_F(TwoProgramsTest, AProgramThatDiedHoldingTheMouseDoesNotStopTheNextOne) {
    plugSeededMouse();
    Program holder(binFolder() / L"mouse_lock_holder.exe");
    ASSERT_TRUE(waitFor([] { return !MouseLock(0).held(); }, kTimeoutMs))
        << "the holder never took the mouse";
    Program next(program);
    EXPECT_FALSE(waitFor([&] { return !readWireLog(wireLog).empty(); }, kMouseLockWaitMs / 3))
        << "the start-up did not wait for the mouse";
    holder.kill();
    EXPECT_TRUE(next.window(kMainTitle)) << "the start-up gave up";
    EXPECT_EQ(wholeSequences(), std::vector<Sequence>{Sequence::StartUp});
}

} // namespace
