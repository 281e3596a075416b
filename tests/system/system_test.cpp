// The real pelkocfg.exe over the system's own HID stack (hid.dll, setupapi, hidclass) and the
// virtual mouse's minidriver, driven from outside by real pointer input: discovery among the
// system's other HID devices, start-up, Apply, the mouse's own buttons, the pulled cable and
// faults of the firmware. The in-process stand-in checks the same protocol in detail; these
// cases check that the program as shipped carries it through the real stack.
#include "app/window_layout.h"
#include "device/protocol_constants.h"
#include "sim/pelko_firmware.h"
#include "tests/e2e/remote_window.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;
using namespace layout::id;

namespace {

constexpr size_t kStartUpExchanges = 42;
constexpr size_t kApplyExchanges = 30;
constexpr DWORD kExchangeTimeoutMs = 15000;
constexpr DWORD kFollowTimeoutMs = 3000;
constexpr int kRow1600 = 2;
constexpr uint8_t kCode1600 = 32;
constexpr int kProfile1Address = 28;

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The start-up requests in order: unlock steps 1 to 6, scratch chunks 0 to 8, the version and
// the block read ('D' at 0, 5, ... 125).
void expectStartUp(const std::vector<WireLine>& lines) {
    ASSERT_GE(lines.size(), kStartUpExchanges);
    for (size_t i = 0; i < kStartUpExchanges; ++i) {
        const WireLine& line = lines[i];
        const uint8_t expected = i < 6     ? uint8_t(1 + i)
                                 : i < 15  ? uint8_t(0x10 + i - 6)
                                 : i == 15 ? uint8_t(0x22)
                                           : uint8_t('D');
        EXPECT_EQ(line.index, int(i));
        EXPECT_EQ(line.command(), expected) << "exchange " << i;
        EXPECT_EQ(line.request[1], TransportMask) << "exchange " << i;
        EXPECT_EQ(line.result, "accepted") << "exchange " << i;
        if (expected == 'D') {
            EXPECT_EQ(line.payload(0), 5 * (i - 16)) << "exchange " << i;
        }
    }
}

class SystemTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() {
        // No devices are left for the next session's boot to load the driver for.
        VirtualMouse().unplug();
    }

    void SetUp() override {
        const fs::path folder = binFolder() / L"system-tests";
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
        fs::remove(memoryFile);
        fs::remove(wireLog);
    }

    // A fresh mouse with the factory memory and the program started over it.
    void plugAndStart() {
        ASSERT_TRUE(mouse.plug(memoryFile, wireLog)) << "the virtual mouse did not plug in";
        start();
    }

    void start() {
        program = std::make_unique<Program>(binFolder() / L"pelkocfg.exe");
        ASSERT_TRUE(program->started());
        window = std::make_unique<RemoteWindow>(*program, false);
        ASSERT_TRUE(window->found()) << "no main window";
    }

    std::vector<WireLine> waitForExchanges(size_t count) {
        std::vector<WireLine> lines;
        waitFor([&] { return (lines = readWireLog(wireLog)).size() >= count; }, kExchangeTimeoutMs);
        return lines;
    }

    // The error box the device watch shows, its text, and the program's end after its OK.
    void expectNoMouseReported() {
        const HWND box = program->window(L"Error");
        ASSERT_TRUE(box) << "no error box";
        wchar_t text[128] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 128);
        EXPECT_STREQ(text, L"No Glimmerhaus Pelko detected!");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program->ended(), 0);
    }

    VirtualMouse mouse;
    fs::path memoryFile, wireLog;
    std::unique_ptr<Program> program;
    std::unique_ptr<RemoteWindow> window;
};

TEST_F(SystemTest, StartUpFindsTheVendorInterfaceAmongTheSystemsDevicesAndWatchesIt) {
    plugAndStart();
    int malformed = 0;
    std::vector<WireLine> lines = waitForExchanges(kStartUpExchanges + 1);
    readWireLog(wireLog, &malformed);
    EXPECT_EQ(malformed, 0);
    expectStartUp(lines);
    // The block read answers the memory as it is.
    const FirmwareMemory factory = PelkoFirmware::factoryMemory();
    for (size_t i = 16; i < kStartUpExchanges && i < lines.size(); ++i)
        for (int b = 1; b < 6; ++b)
            EXPECT_EQ(lines[i].reply[size_t(3 + b)] ^ lines[i].reply[1],
                      factory[size_t(lines[i].payload(0) + b - 1)]);
    // The device watch: 'D' at 6, once a second.
    ASSERT_GT(lines.size(), kStartUpExchanges);
    EXPECT_EQ(lines[kStartUpExchanges].command(), 'D');
    EXPECT_EQ(lines[kStartUpExchanges].payload(0), 6);
}

TEST_F(SystemTest, ApplyCarriesTheEditThroughTheStackWithItsWaits) {
    plugAndStart();
    waitForExchanges(kStartUpExchanges);
    ASSERT_TRUE(window->pickListRow(kCpi1List, kRow1600));
    ASSERT_TRUE(window->clickControl(kApply));

    // The second '!' ends Apply.
    std::vector<WireLine> lines;
    auto lives = [&] {
        return std::count_if(lines.begin(), lines.end(),
                             [](const WireLine& l) { return l.command() == '!'; });
    };
    waitFor([&] { return lines = readWireLog(wireLog), lives() == 2; }, kExchangeTimeoutMs);
    ASSERT_EQ(lives(), 2);
    auto first = std::find_if(lines.begin() + kStartUpExchanges, lines.end(), [](const auto& l) {
        return l.command() == 'D' && l.payload(0) == 7;
    });
    ASSERT_GE(lines.end() - first, std::ptrdiff_t(kApplyExchanges));
    const std::vector<uint8_t> memory = fileBytes(memoryFile);
    ASSERT_EQ(memory.size(), 130u);
    for (int i = 1; i <= 26; ++i) {
        const WireLine& write = first[i];
        ASSERT_EQ(write.command(), 'E') << "exchange " << write.index;
        for (int b = 1; b < 6; ++b)
            EXPECT_EQ(memory[size_t(write.payload(0) + b - 1)], write.payload(b))
                << "the memory does not hold what exchange " << write.index << " wrote";
    }
    const WireLine &select = first[27], &twin = first[28], &stage = first[29];
    EXPECT_EQ(select.command(), 'I');
    EXPECT_EQ(twin.command(), '!');
    EXPECT_EQ(stage.command(), '!');
    EXPECT_GE(select.milliseconds - first[26].milliseconds, 200);
    EXPECT_GE(stage.milliseconds - twin.milliseconds, 400);
    EXPECT_EQ(memory[kProfile1Address], kCode1600);
    EXPECT_EQ(memory[kProfile1Address + 2], kCode1600);
}

TEST_F(SystemTest, TheWindowFollowsTheMousesOwnButtons) {
    plugAndStart();
    // The watch's first answer is what later ones are compared with.
    waitForExchanges(kStartUpExchanges + 1);
    window->pointerAway();

    // CPI stage 1 to 2: the window opens the list of CPI 2.
    ASSERT_TRUE(mouse.pressCpiButton());
    HWND list = nullptr;
    const int cpi2Left = layoutRectOf(kCpi2List).left;
    EXPECT_TRUE(waitFor([&] { return (list = window->openListAt(cpi2Left)) != nullptr; },
                        kFollowTimeoutMs));
    if (list) {
        ASSERT_TRUE(window->closeListWithClickAway(list));
    }

    // Profile 1 to 2: the window shows profile 2.
    window->pointerAway();
    const RECT profiles = {layoutRectOf(kProfile1).left, layoutRectOf(kProfile1).top,
                           layoutRectOf(kProfile3).right, layoutRectOf(kProfile3).bottom};
    const Shot before = window->settledShot().part(profiles);
    ASSERT_TRUE(mouse.pressProfileButton());
    EXPECT_TRUE(window->waitForChange(profiles, before, kFollowTimeoutMs));
}

TEST_F(SystemTest, APulledCableIsReportedAndTheProgramEnds) {
    plugAndStart();
    waitForExchanges(kStartUpExchanges);
    ASSERT_TRUE(mouse.unplug());
    expectNoMouseReported();
}

TEST_F(SystemTest, WithoutTheMouseTheProgramSaysSoAndEnds) {
    ASSERT_TRUE(mouse.unplug());
    start();
    expectNoMouseReported();
    EXPECT_TRUE(readWireLog(wireLog).empty());
}

TEST_F(SystemTest, ARefusedUnlockLeavesTheMouseUnwatched) {
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    ASSERT_TRUE(mouse.refuseCommands({6}));
    start();
    std::vector<WireLine> lines = waitForExchanges(kStartUpExchanges);
    ASSERT_EQ(lines.size(), kStartUpExchanges);
    EXPECT_EQ(lines[5].result, "refused");
    ::Sleep(2500); // two ticks of the watch
    EXPECT_EQ(readWireLog(wireLog).size(), kStartUpExchanges);
}

TEST_F(SystemTest, ALostVersionAnswerCancelsTheWindow) {
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    ASSERT_TRUE(mouse.setFault(L"FailReceiveAt", 15));
    program = std::make_unique<Program>(binFolder() / L"pelkocfg.exe");
    EXPECT_EQ(program->ended(kExchangeTimeoutMs), 0) << "the program kept running";
    const std::vector<WireLine> lines = readWireLog(wireLog);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[15].command(), 0x22);
    EXPECT_EQ(lines[15].result, "receive-failed");
}

} // namespace
