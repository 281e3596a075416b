// The real pelkocfg.exe over the system's own HID stack (hid.dll, setupapi, hidclass) and the
// virtual mouse's minidriver, driven from outside by real pointer input: discovery among the
// system's other HID devices, start-up, Apply, the mouse's own buttons, the pulled cable and
// faults of the firmware. The in-process stand-in checks the same protocol in detail; these
// cases check that the program as shipped carries it through the real stack.
#include "app/window_layout.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"
#include "sim/pelko_firmware.h"
#include "sim/sim_bus.h"
#include "tests/e2e/remote_window.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;
using namespace layout::id;

namespace {

constexpr size_t kStartUpExchanges = 42;
constexpr size_t kApplyExchanges = 30;
constexpr DWORD kExchangeTimeoutMs = 15000;
// The watch polls once a second; a press shows at its next tick.
constexpr DWORD kFollowTimeoutMs = 1500;
constexpr int kRow1600 = 2, kRow3200 = 3;
constexpr uint8_t kCode400 = 8, kCode800 = 16, kCode1600 = 32, kCode3200 = 64;
constexpr uint8_t kRateCode125 = 8, kRateCode500 = 2;
constexpr int kProfile1Address = 28, kProfile3Address = 50;
// Address 6 holds the active profile's offset.
constexpr int kActiveProfileAddress = 6;
constexpr uint8_t kProfile1Offset = 0, kProfile3Offset = 22;

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The start-up exchanges the in-process stand-in carries for the factory memory: the device
// layer's start-up over the simulated bus, request and reply bytes.
std::vector<WireExchange> standInStartUp() {
    SimHidBus bus;
    bus.install();
    HidDevice* list = nullptr;
    int count = 0;
    findKnownHidDevices(&list, &count, kPelkoVendorId, kPelkoProductId);
    MouseSettings settings;
    std::wstring version;
    if (HidDevice* vendor = vendorRecord(list, count)) startUpDevice(*vendor, settings, version);
    for (int i = 0; list && i < count; ++i)
        closeHidDevice(list[i]);
    std::free(list);
    sharedFeatureReport() = FeatureReport{};
    return bus.wireLog;
}

void writeFile(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> factoryMemory() {
    const FirmwareMemory m = PelkoFirmware::factoryMemory();
    return std::vector<uint8_t>(m.begin(), m.end());
}

// The bytes Apply writes besides the profiles: its fixed bytes, the profile shown selected,
// 0 at 128 and 129.
void putApplyBytes(std::vector<uint8_t>& memory, uint8_t profileShown) {
    memory[2] = 0x1F;
    memory[4] = 0xE0;
    memory[kActiveProfileAddress] = profileShown;
    memory[128] = 0;
    memory[129] = 0;
}

void putCpi(std::vector<uint8_t>& memory, int profileAddress, int list, uint8_t code) {
    memory[size_t(profileAddress + list)] = memory[size_t(profileAddress + list + 2)] = code;
}

std::vector<uint8_t> bytesOf(const SimReport& report) {
    return std::vector<uint8_t>(report.begin(), report.end());
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

    // Clicks Apply and waits for its end, the second '!' since `livesBefore` of them.
    std::vector<WireLine> applyAndWaitForItsEnd(ptrdiff_t livesBefore = 0) {
        std::vector<WireLine> lines;
        EXPECT_TRUE(window->clickControl(kApply));
        EXPECT_TRUE(
            waitFor([&] { return lines = readWireLog(wireLog), lives(lines) == livesBefore + 2; },
                    kExchangeTimeoutMs))
            << "Apply did not end";
        return lines;
    }

    static ptrdiff_t lives(const std::vector<WireLine>& lines) {
        return std::count_if(lines.begin(), lines.end(),
                             [](const WireLine& l) { return l.command() == '!'; });
    }

    // The mouse's CPI button: the window opens one of the CPI lists, which a click away closes.
    void expectCpiButtonFollowed() {
        window->pointerAway();
        ASSERT_TRUE(mouse.pressCpiButton());
        const int cpi1Left = layoutRectOf(kCpi1List).left, cpi2Left = layoutRectOf(kCpi2List).left;
        HWND list = nullptr;
        EXPECT_TRUE(waitFor(
            [&] {
                return (list = window->openListAt(cpi1Left)) ||
                       (list = window->openListAt(cpi2Left));
            },
            kFollowTimeoutMs))
            << "no CPI list opened";
        if (list) {
            ASSERT_TRUE(window->closeListWithClickAway(list));
        }
    }

    // The mouse's profile button: the profile buttons show another profile.
    void expectProfileButtonFollowed() {
        window->pointerAway();
        const RECT profiles = {layoutRectOf(kProfile1).left, layoutRectOf(kProfile1).top,
                               layoutRectOf(kProfile3).right, layoutRectOf(kProfile3).bottom};
        const Shot before = window->settledShot().part(profiles);
        ASSERT_TRUE(mouse.pressProfileButton());
        EXPECT_TRUE(window->waitForChange(profiles, before, kFollowTimeoutMs))
            << "the window did not follow the profile button";
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

TEST_F(SystemTest, StartUpOverTheSystemsStackCarriesTheStandInsBytesAndWatches) {
    plugAndStart();
    int malformed = 0;
    const std::vector<WireLine> lines = waitForExchanges(kStartUpExchanges + 1);
    readWireLog(wireLog, &malformed);
    EXPECT_EQ(malformed, 0);
    const std::vector<WireExchange> expected = standInStartUp();
    ASSERT_EQ(expected.size(), kStartUpExchanges);
    ASSERT_GT(lines.size(), kStartUpExchanges);
    for (size_t i = 0; i < kStartUpExchanges; ++i) {
        EXPECT_EQ(lines[i].index, int(i));
        EXPECT_EQ(lines[i].request, bytesOf(expected[i].request)) << "request " << i;
        EXPECT_EQ(lines[i].reply, bytesOf(expected[i].reply)) << "reply " << i;
        EXPECT_EQ(lines[i].result, "accepted") << "exchange " << i;
    }
    // The device watch: 'D' at 6, once a second.
    EXPECT_EQ(lines[kStartUpExchanges].command(), 'D');
    EXPECT_EQ(lines[kStartUpExchanges].payload(0), 6);
}

TEST_F(SystemTest, ApplyCarriesTheEditThroughTheStackWithItsWaitsAndTheFactoryChoices) {
    plugAndStart();
    waitForExchanges(kStartUpExchanges);
    // Profile 3 shown once, then the edit on profile 1.
    ASSERT_TRUE(window->clickControl(kProfile3));
    ASSERT_TRUE(window->clickControl(kProfile1));
    ASSERT_TRUE(window->pickListRow(kCpi1List, kRow1600));
    const std::vector<WireLine> lines = applyAndWaitForItsEnd();
    ASSERT_EQ(lives(lines), 2);
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
    // The never-configured memory (markers 0xFF): a profile gets its factory choices when it
    // is first shown; profile 3's (400, 800, 500 Hz, swapped) unlike the factory memory's record.
    EXPECT_EQ(memory[0], 10);
    EXPECT_EQ(memory[1], 3);
    EXPECT_EQ(memory[kProfile3Address], kCode400);
    EXPECT_EQ(memory[kProfile3Address + 1], kCode800);
    EXPECT_EQ(memory[kProfile3Address + 5], kRateCode500);
    EXPECT_EQ(memory[kProfile3Address + 6], 1);
}

TEST_F(SystemTest, OnASeededMemoryApplyAndOkWriteTheEditsOfTwoProfiles) {
    // Configured (markers 12 and 3), profile 3 active: the window opens on it, so the first
    // edit lands in its record and Apply keeps it selected.
    std::vector<uint8_t> expected = factoryMemory();
    expected[0] = 12;
    expected[1] = 3;
    expected[kActiveProfileAddress] = kProfile3Offset;
    writeFile(memoryFile, expected);
    plugAndStart();
    waitForExchanges(kStartUpExchanges);

    ASSERT_TRUE(window->pickListRow(kCpi1List, kRow1600));
    const ptrdiff_t livesAfterApply = lives(applyAndWaitForItsEnd());
    putCpi(expected, kProfile3Address, 0, kCode1600);
    putApplyBytes(expected, kProfile3Offset);
    EXPECT_EQ(fileBytes(memoryFile), expected) << "after Apply";

    ASSERT_TRUE(window->clickControl(kProfile1));
    ASSERT_TRUE(window->pickListRow(kCpi2List, kRow3200));
    ASSERT_TRUE(window->clickControl(kRate125));
    ASSERT_TRUE(window->clickControl(kOk));
    EXPECT_EQ(program->ended(kExchangeTimeoutMs), 0) << "OK ends the program";
    EXPECT_EQ(lives(readWireLog(wireLog)), livesAfterApply + 2);
    putCpi(expected, kProfile1Address, 1, kCode3200);
    expected[kProfile1Address + 5] = kRateCode125;
    expected[kActiveProfileAddress] = kProfile1Offset;
    EXPECT_EQ(fileBytes(memoryFile), expected) << "after OK";
}

// The watch stops during Apply and runs again afterwards; the cable pulled after an Apply.
TEST_F(SystemTest, TheWindowFollowsTheMousesOwnButtonsBeforeAndAfterAnApply) {
    plugAndStart();
    // The watch's first answer is what later ones are compared with.
    waitForExchanges(kStartUpExchanges + 1);
    expectCpiButtonFollowed();
    expectProfileButtonFollowed();

    applyAndWaitForItsEnd();
    expectCpiButtonFollowed();
    expectProfileButtonFollowed();

    ASSERT_TRUE(mouse.unplug());
    expectNoMouseReported();
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
    // Two ticks of the watch send nothing.
    EXPECT_FALSE(waitFor([&] { return readWireLog(wireLog).size() > kStartUpExchanges; }, 2500));
}

// A refused version (status 0) is an absent version: the window runs and watches. A lost
// answer cancels the window.
TEST_F(SystemTest, ARefusedVersionLeavesTheWindowRunningALostOneCancelsIt) {
    constexpr uint8_t kVersionCommand = 0x22;
    constexpr size_t kVersionExchange = 15;
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    ASSERT_TRUE(mouse.refuseCommands({kVersionCommand}));
    start();
    std::vector<WireLine> lines = waitForExchanges(kStartUpExchanges + 1);
    ASSERT_GT(lines.size(), kStartUpExchanges);
    EXPECT_EQ(lines[kVersionExchange].result, "refused");
    EXPECT_EQ(lines[kStartUpExchanges].command(), 'D');
    EXPECT_EQ(program->ended(0), -1) << "the window closed";
    window.reset();
    program.reset(); // killed

    ASSERT_TRUE(mouse.clearFaults());
    const size_t earlier = readWireLog(wireLog).size();
    ASSERT_TRUE(mouse.setFault(L"FailReceiveAt", unsigned(earlier + kVersionExchange)));
    program = std::make_unique<Program>(binFolder() / L"pelkocfg.exe");
    EXPECT_EQ(program->ended(kExchangeTimeoutMs), 0) << "the program kept running";
    lines = readWireLog(wireLog);
    ASSERT_EQ(lines.size(), earlier + kVersionExchange + 1);
    EXPECT_EQ(lines.back().command(), kVersionCommand);
    EXPECT_EQ(lines.back().result, "receive-failed");
}

} // namespace
