// pelko_random_replies [replies [seed]]: random replies (status, mask, payload) through the
// device layer's start-up and Apply/OK against the simulated mouse, until `replies` random
// replies (default 100,000) have been given. The firmware handles every real request; only
// what the program receives is rewritten. Each run checks that
// - every byte written to the mouse's memory is one the program was told for that address
//   (a 'D' reply at start-up, or the stage read of a commit for address 7), one the user
//   stored into a profile, or one the protocol fixes; and no record never answered is written;
// - the 'I' and '!' requests carry the window's profile, a stage the mouse answered or the
//   settings hold (and its twin), and the user's report rate and swap;
// - start-up sends its 42 requests whatever the replies, and nothing writes past the settings.
// A crash ends the program with the seed of the run it happened in. Every run has its own seed,
// printed with its failures; `pelko_random_replies 1 <that seed>` replays that run first.
#include "app/settings_rules.h"
#include "device/commit.h"
#include "device/config_block.h"
#include "device/device_requests.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"
#include "device/protocol_wait.h"
#include "sim/sim_bus.h"
#include "tests/fuzz/reply_plan.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr unsigned long long defaultSeed = 0x9E1C0F0221ull;
constexpr long long defaultReplies = 100000;
constexpr int printedFailingRuns = 20;
constexpr int printedProblemsPerRun = 6;
constexpr uint8_t guardByte = 0xC5;

struct Totals {
    int runs = 0;
    int failed = 0;
    long long exchanges = 0;
    long long randomReplies = 0;
    long long randomStatuses = 0;
    long long randomMasks = 0;
    long long randomPayloads = 0;
    long long stageReads = 0;
    long long stageReadsRandom = 0;
    long long stageReadsRefused = 0;
    int applies = 0;
    int oks = 0;
    int runsOfMode[int(PlanMode::Count)] = {};
};

// The settings with guard bytes on both sides: a store past either end shows in them.
struct GuardedSettings {
    uint8_t before[32];
    MouseSettings settings;
    uint8_t after[32];
};

// The checks keep their own copies of the two rules they rely on, so that a fault in the
// device layer's version does not pass unseen.
bool isProfileOffset(int offset) {
    return offset == 0 || offset == 11 || offset == 22;
}

// Stages 1 and 3 share the CPI 1 preset, 2 and 4 the CPI 2 preset; any other is its own twin.
uint8_t twinOf(uint8_t stage) {
    if (stage < 1 || stage > 4) return stage;
    return uint8_t(stage <= 2 ? stage + 2 : stage - 2);
}

std::string hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

class RandomReplyRun {
  public:
    RandomReplyRun(uint64_t seed, Totals& totals);
    ~RandomReplyRun();
    RandomReplyRun(const RandomReplyRun&) = delete;
    RandomReplyRun& operator=(const RandomReplyRun&) = delete;

    void execute();
    const std::vector<std::string>& problems() const { return found; }

  private:
    void problem(const std::string& text) { found.push_back(text); }
    const std::vector<WireExchange>& wire() const { return bus->wireLog; }
    bool accepted(int index) const { return replies[size_t(index)][2] != 0; }
    // Payload byte `at` of the reply the program received, unmasked as it unmasks it.
    uint8_t told(int index, int at) const {
        const SimReport& reply = replies[size_t(index)];
        return uint8_t(reply[size_t(3 + at)] ^ reply[1]);
    }

    bool everyReplySeen() {
        if (replies.size() == size_t(bus->exchangeCount())) return true;
        problem("the bus handed over replies that did not pass the rewrite hook");
        return false;
    }
    void varyMemory();
    void onReply(int index, SimReport& reply);
    bool startUp();
    void checkStartUpRequest(int index);
    void checkStartUp(bool started);
    void initialiseWindow();
    void giveFactoryChoices(int offset);
    void editPanel();
    void store(int offset);
    void commit(CommitKind kind);
    int checkBlockWrite(int index);
    void checkCommit(int first);
    void checkImage(const char* when);
    void checkGuards();

    Rng rng;
    ReplyPlan plan;
    Totals& totals;
    std::unique_ptr<SimHidBus> bus;
    std::vector<SimReport> replies; // what the program received, by exchange index
    HidDevice* list = nullptr;
    int count = 0;
    HidDevice* vendor = nullptr;
    GuardedSettings guarded;
    MouseSettings& settings = guarded.settings;
    ProfileMirror mirror;
    PanelValues panel;
    int currentProfile = 0;
    std::wstring firmwareVersion;

    // What the program may send: per address the values it was told, the user stored or the
    // protocol fixes; the records answered at start-up; the stages answered or held.
    std::set<uint8_t> allowed[ConfigBlockSize];
    std::set<int> answeredRecords;
    std::set<uint8_t> stages;
    std::vector<std::string> found;
};

RandomReplyRun::RandomReplyRun(uint64_t seed, Totals& totalsOfAll)
    : rng(seed), plan(ReplyPlan::draw(rng)), totals(totalsOfAll) {
    bus = std::make_unique<SimHidBus>(rng.below(3));
    bus->install();
    bus->faults.rewriteReply = [this](int index, SimReport& reply) { onReply(index, reply); };
    // A fresh program: nothing left in the shared buffers by the run before.
    sharedFeatureReport() = FeatureReport{};
    scratchArea() = ScratchArea{};
    std::memset(guarded.before, guardByte, sizeof guarded.before);
    std::memset(guarded.after, guardByte, sizeof guarded.after);
    allowed[128] = allowed[129] = {0};
    ++totals.runsOfMode[int(plan.mode)];
}

RandomReplyRun::~RandomReplyRun() {
    for (int i = 0; list && i < count; ++i)
        closeHidDevice(list[i]);
    std::free(list);
}

// The firmware's memory: as from the factory, as the program leaves it, or any bytes at all.
void RandomReplyRun::varyMemory() {
    SimMemory& memory = bus->firmware.memory;
    switch (rng.below(3)) {
    case 0:
        break;
    case 1:
        memory[0] = rng.percent(50) ? 10 : 12;
        memory[1] = rng.percent(50) ? 3 : 0xFF;
        memory[6] = uint8_t(11 * rng.below(3));
        memory[7] = uint8_t(1 + rng.below(4));
        break;
    default:
        for (uint8_t& value : memory)
            value = rng.byte();
        break;
    }
}

void RandomReplyRun::onReply(int index, SimReport& reply) {
    // Of a commit's replies only the stage read's is looked at.
    const bool stageRead =
        index >= StartUpExchangeCount && wire()[size_t(index)].command == Command::ReadBlock;
    if (plan.randomises(index, stageRead, rng)) {
        const ReplyChange change = randomiseReply(plan, rng, reply);
        ++totals.randomReplies;
        totals.randomStatuses += change.status;
        totals.randomMasks += change.mask;
        totals.randomPayloads += change.payload;
        totals.stageReadsRandom += stageRead;
    }
    totals.stageReads += stageRead;
    totals.stageReadsRefused += stageRead && reply[2] == 0;
    if (replies.size() <= size_t(index)) replies.resize(size_t(index) + 1);
    replies[size_t(index)] = reply;
}

void RandomReplyRun::execute() {
    varyMemory();
    if (startUp()) {
        initialiseWindow();
        for (int round = 0; round < plan.commits; ++round)
            commit(rng.percent(75) ? CommitKind::Apply : CommitKind::Ok);
    }
    checkGuards();
    totals.exchanges += bus->exchangeCount();
}

// The main window's device start-up on the mouse's vendor interface.
bool RandomReplyRun::startUp() {
    findKnownHidDevices(&list, &count, kPelkoVendorId, kPelkoProductId);
    vendor = vendorRecord(list, count);
    if (!vendor) {
        problem("the mouse's vendor interface was not found");
        return false;
    }
    vendor->unlocked = FALSE;
    const bool started = startUpDevice(*vendor, settings, firmwareVersion);
    checkStartUp(started);
    if (started) checkImage("after start-up");
    return started && found.empty();
}

// Unlock steps 1-6, scratch chunks 0-8, the version, then 'D' at every record: the requests
// carry the same bytes whatever came back before them.
void RandomReplyRun::checkStartUpRequest(int index) {
    std::array<uint8_t, 6> payload{};
    uint8_t command = 0;
    if (index < 6) {
        command = uint8_t(Command::UnlockStep1 + index);
        const size_t length = index < 5 ? 6 : 2;
        for (size_t i = 0; i < length; ++i)
            payload[i] = UnlockSequence[size_t(index) * 6 + i];
    } else if (index < 15) {
        command = uint8_t(Command::ScratchChunk0 + index - 6);
    } else if (index == 15) {
        command = Command::FirmwareVersion;
    } else {
        command = Command::ReadBlock;
        payload[0] = uint8_t((index - 16) * ConfigRecordSize);
    }
    const WireExchange& sent = wire()[size_t(index)];
    if (sent.command != command || sent.payload != payload) {
        problem("start-up request " + std::to_string(index) + " is " + hex(sent.command) +
                " with other bytes than " + hex(command));
    }
}

void RandomReplyRun::checkStartUp(bool started) {
    if (!started) problem("start-up failed though every exchange was carried");
    if (!everyReplySeen()) return;
    if (bus->exchangeCount() != StartUpExchangeCount) {
        problem("start-up sent " + std::to_string(bus->exchangeCount()) + " requests, not 42");
        return;
    }
    for (int index = 0; index < StartUpExchangeCount; ++index)
        checkStartUpRequest(index);
    for (int record = 0; record < ConfigRecordCount; ++record) {
        const int index = 16 + record;
        if (!accepted(index)) continue;
        answeredRecords.insert(record);
        for (int i = 0; i < ConfigRecordSize; ++i) {
            const int address = record * ConfigRecordSize + i;
            if (address < 128) allowed[address].insert(told(index, 1 + i));
        }
    }
    // A stage the mouse answered, or the zero the settings start with.
    stages = answeredRecords.count(1) ? allowed[7] : std::set<uint8_t>{0};

    if ((vendor->unlocked != FALSE) != accepted(5))
        problem("unlocked is not what unlock step 6 was answered");
    std::wstring version;
    if (accepted(15)) {
        wchar_t text[32];
        std::swprintf(text, 32, L" Version %u.%u.%u ", unsigned(told(15, 0)), unsigned(told(15, 1)),
                      unsigned(told(15, 2)));
        version = text;
    }
    if (firmwareVersion != version) problem("the version text is not the version the mouse gave");
    if (scratchArea().text[sizeof(ScratchArea::text) - 1] != 0)
        problem("the identity text lost its terminator");
}

// What the window does with the block: a mouse never configured gets the factory choices of
// its active profile; the window's profile is address 6 as a signed byte.
void RandomReplyRun::initialiseWindow() {
    const int active = settings.activeProfile;
    if (settings.defaultsMarkerA == 0xFF) giveFactoryChoices(active);
    currentProfile = active;
    for (int i = 0; i < 3; ++i)
        mirror.profiles[i] = mirrorOf(settings.profiles[i]);
}

void RandomReplyRun::giveFactoryChoices(int offset) {
    const FactoryChoice* choice = factoryChoiceOf(offset);
    if (!choice) return;
    markFactoryChoices(settings, offset);
    allowed[0].insert(uint8_t(settings.defaultsMarkerA));
    allowed[1].insert(uint8_t(settings.defaultsMarkerB));
    panel.cpi1Code = cpiCodeOfEntry(choice->cpi1Entry);
    panel.cpi2Code = cpiCodeOfEntry(choice->cpi2Entry);
    panel.cpi1Kept = panel.cpi2Kept = false;
    panel.reportRateCode = codeOfRate(choice->rate);
    panel.buttonSwap = choice->swapOn ? 1 : 0;
}

// The user's edits, as the controls give them: list entries (the empty fifth gives 4, no
// selection keeps the stored code), rate buttons, swap, the sliders and "One Page".
void RandomReplyRun::editPanel() {
    const int index = profileIndex(currentProfile);
    auto cpiCode = [&](int stored, int32_t previous, bool& kept) {
        const int pick = rng.below(10);
        kept = pick == 1;
        if (pick == 0) return int32_t(4);
        if (kept) return index < 0 ? previous : int32_t(settings.profiles[index].cpiCode[stored]);
        return int32_t(cpiCodeOfEntry(rng.below(4)));
    };
    if (rng.percent(70)) panel.cpi1Code = cpiCode(0, panel.cpi1Code, panel.cpi1Kept);
    if (rng.percent(70)) panel.cpi2Code = cpiCode(1, panel.cpi2Code, panel.cpi2Kept);
    if (rng.percent(50)) panel.reportRateCode = codeOfRate(Rate(rng.below(3)));
    if (rng.percent(50)) panel.buttonSwap = rng.below(2);
    if (rng.percent(50)) panel.pointerSpeed = 1.0f + float(rng.below(77)) / 4.0f;
    if (rng.percent(50)) panel.acceleration = rng.below(2);
    if (rng.percent(50)) panel.wheelLines = rng.below(101);
    if (rng.percent(30)) panel.onePage = rng.percent(50) ? 0x80 : 0;
}

// storeProfile as the window runs it, and the bytes it lets through: the panel's fields in the
// profile (a kept CPI preset none), the profile's marker, 0 at 6.
void RandomReplyRun::store(int offset) {
    const bool stored = storeProfile(settings, mirror, panel, offset);
    if (stored != isProfileOffset(offset))
        problem("storeProfile at offset " + std::to_string(offset) + " returned " +
                (stored ? "true" : "false"));
    if (!stored) return;
    markStoredProfile(settings, offset);
    allowed[0].insert(uint8_t(settings.defaultsMarkerA));
    allowed[1].insert(uint8_t(settings.defaultsMarkerB));
    allowed[6].insert(0);
    const int base = ProfileBaseAddress + offset;
    if (!panel.cpi1Kept) {
        allowed[base + 0].insert(uint8_t(panel.cpi1Code & 0xFF));
        allowed[base + 2].insert(uint8_t(panel.cpi1Code & 0xFF));
    }
    if (!panel.cpi2Kept) {
        allowed[base + 1].insert(uint8_t(panel.cpi2Code & 0xFF));
        allowed[base + 3].insert(uint8_t(panel.cpi2Code & 0xFF));
    }
    allowed[base + 5].insert(uint8_t(panel.reportRateCode));
    allowed[base + 6].insert(uint8_t(panel.buttonSwap));
    allowed[base + 7].insert(uint8_t(int(panel.pointerSpeed)));
    allowed[base + 8].insert(uint8_t(panel.acceleration));
    allowed[base + 9].insert(uint8_t((panel.wheelLines & 0xFF) + panel.onePage));
}

// Apply or OK as the window runs them, now and then after a switch to another profile (which
// stores the profile left and may give the new one its factory choices).
void RandomReplyRun::commit(CommitKind kind) {
    if (rng.percent(30)) {
        editPanel();
        store(currentProfile);
        const int next = 11 * rng.below(3);
        if (!hadFactoryChoices(settings, next)) giveFactoryChoices(next);
        currentProfile = next;
    }
    editPanel();
    store(currentProfile);
    if (kind == CommitKind::Apply) {
        allowed[2].insert(0x1F);
        allowed[4].insert(0xE0);
        ++totals.applies;
    } else {
        ++totals.oks;
    }
    checkImage("before a commit");
    const int first = bus->exchangeCount();
    commitSettings(*vendor, settings, panel, currentProfile, kind);
    checkCommit(first);
}

// The 'E' requests from `index` on; returns the index after them.
int RandomReplyRun::checkBlockWrite(int index) {
    std::vector<int> written;
    for (; index < bus->exchangeCount() && wire()[size_t(index)].command == Command::WriteBlock;
         ++index) {
        const std::array<uint8_t, 6>& payload = wire()[size_t(index)].payload;
        const int address = payload[0];
        written.push_back(address / ConfigRecordSize);
        if (address % ConfigRecordSize != 0 || address >= ConfigBlockSize) {
            problem("'E' at address " + std::to_string(address) + ", no record's start");
            continue;
        }
        if (!answeredRecords.count(address / ConfigRecordSize)) {
            problem("record at " + std::to_string(address) + " written, never answered");
            continue;
        }
        for (int i = 0; i < ConfigRecordSize; ++i) {
            const uint8_t value = payload[size_t(1 + i)];
            if (!allowed[address + i].count(value)) {
                problem("address " + std::to_string(address + i) + " written as " + hex(value) +
                        ", which nobody gave");
            }
        }
    }
    if (written != std::vector<int>(answeredRecords.begin(), answeredRecords.end()))
        problem("the block write is not every answered record once, in order");
    return index;
}

// 'D' at 7, the block write, 'I' with the window's profile, '!' with the twin stage and '!'
// with the stage, both with the panel's rate and swap.
void RandomReplyRun::checkCommit(int first) {
    if (!everyReplySeen()) return;
    const int total = bus->exchangeCount();
    const std::array<uint8_t, 6> stageRead{7, 0, 0, 0, 0, 0};
    if (first >= total || wire()[size_t(first)].command != Command::ReadBlock ||
        wire()[size_t(first)].payload != stageRead) {
        problem("a commit did not begin with the stage read");
        return;
    }
    if (accepted(first)) {
        stages.insert(told(first, 1));
        allowed[7].insert(told(first, 1));
    }
    int index = checkBlockWrite(first + 1);
    if (total - index != 3) {
        problem("a commit ended with " + std::to_string(total - index) + " requests, not 3");
        return;
    }
    const WireExchange& select = wire()[size_t(index)];
    const std::array<uint8_t, 6> profile{uint8_t(currentProfile), 0, 0, 0, 0, 0};
    if (select.command != Command::SelectProfile || select.payload != profile)
        problem("'I' does not carry the window's profile " + std::to_string(currentProfile));
    const WireExchange& twin = wire()[size_t(index + 1)];
    const WireExchange& stage = wire()[size_t(index + 2)];
    for (const WireExchange* live : {&twin, &stage}) {
        const std::array<uint8_t, 6> expected{
            live->payload[0], uint8_t(panel.reportRateCode), uint8_t(panel.buttonSwap), 0, 0, 0};
        if (live->command != Command::SetLiveState || live->payload != expected)
            problem("'!' does not carry the panel's rate and swap");
    }
    const uint8_t stageSent = stage.payload[0];
    if (!stages.count(stageSent))
        problem("'!' carries stage " + hex(stageSent) + ", which the mouse never answered");
    if (twin.payload[0] != twinOf(stageSent))
        problem("the first '!' carries " + hex(twin.payload[0]) + ", not the twin of " +
                hex(stageSent));
}

// The same rule on the settings image, so that runs without a commit test it too: a record is
// marked read exactly when it was answered, and a read record holds only allowed bytes.
void RandomReplyRun::checkImage(const char* when) {
    for (int record = 0; record < ConfigRecordCount; ++record) {
        const bool answered = answeredRecords.count(record) != 0;
        if (settings.recordRead[record] != answered) {
            problem(std::string(when) + ": record " + std::to_string(record) + " marked " +
                    (answered ? "unread" : "read") + " though " +
                    (answered ? "answered" : "never answered"));
            continue;
        }
        for (int address = record * ConfigRecordSize;
             answered && address < (record + 1) * ConfigRecordSize; ++address) {
            const uint8_t value = blockByte(settings, address);
            if (!allowed[address].count(value))
                problem(std::string(when) + ": address " + std::to_string(address) + " holds " +
                        hex(value) + ", which nobody gave");
        }
    }
}

void RandomReplyRun::checkGuards() {
    for (size_t i = 0; i < sizeof guarded.before; ++i) {
        if (guarded.before[i] != guardByte || guarded.after[i] != guardByte) {
            problem("a store went past the settings");
            return;
        }
    }
}

// The run in progress, for the report of a crash.
uint64_t runningSeed = 0;
int runningRun = 0;

LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    std::printf("\ncrash (exception 0x%08lX) in run %d, seed 0x%llX\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), runningRun,
                static_cast<unsigned long long>(runningSeed));
    std::printf("0 passed, 1 failed\n");
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool parseArguments(int argc, char** argv, long long& replies, uint64_t& seed) {
    if (argc > 3) return false;
    char* end = nullptr;
    if (argc > 1) {
        replies = std::strtoll(argv[1], &end, 10);
        if (*end || replies <= 0) return false;
    }
    if (argc > 2) {
        seed = std::strtoull(argv[2], &end, 0);
        if (*end || !*argv[2]) return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    long long wanted = defaultReplies;
    uint64_t seed = defaultSeed;
    if (!parseArguments(argc, argv, wanted, seed)) {
        std::printf("usage: pelko_random_replies [replies [seed]]\n");
        return 2;
    }
    ::SetUnhandledExceptionFilter(reportCrash);
    std::printf("random replies: %lld, seed 0x%llX\n", wanted,
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);

    Totals totals;
    const auto start = std::chrono::steady_clock::now();
    // Runs give about twenty random replies each; the bound on their number ends the program
    // even when the replies stop passing the rewrite hook.
    for (uint64_t runSeed = seed; totals.randomReplies < wanted && totals.runs < wanted;
         runSeed = nextRunSeed(runSeed)) {
        runningSeed = runSeed;
        runningRun = totals.runs;
        RandomReplyRun run(runSeed, totals);
        run.execute();
        ++totals.runs;
        if (run.problems().empty()) continue;
        if (++totals.failed <= printedFailingRuns) {
            std::printf("FAILED run %d, seed 0x%llX:\n", runningRun,
                        static_cast<unsigned long long>(runSeed));
            int shown = 0;
            for (const std::string& text : run.problems()) {
                if (shown++ == printedProblemsPerRun) break;
                std::printf("  %s\n", text.c_str());
            }
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    std::printf("runs %d:", totals.runs);
    for (int mode = 0; mode < int(PlanMode::Count); ++mode)
        std::printf(" %s %d%s", planModeName(PlanMode(mode)), totals.runsOfMode[mode],
                    mode + 1 < int(PlanMode::Count) ? "," : "\n");
    std::printf("exchanges %lld, random replies %lld (status %lld, mask %lld, payload %lld)\n",
                totals.exchanges, totals.randomReplies, totals.randomStatuses, totals.randomMasks,
                totals.randomPayloads);
    std::printf("commits: Apply %d, OK %d; their stage reads %lld: random %lld, refused %lld\n",
                totals.applies, totals.oks, totals.stageReads, totals.stageReadsRandom,
                totals.stageReadsRefused);
    std::printf("time %.1f s, of it %.1f s in the protocol's fixed waits\n", elapsed.count(),
                totalWaitMilliseconds() / 1000.0);
    if (totals.failed) std::printf("replay one run alone: pelko_random_replies 1 <its seed>\n");
    std::printf("%d passed, %d failed\n", totals.runs - totals.failed, totals.failed);
    return totals.failed ? 1 : 0;
}
