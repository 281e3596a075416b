// The two programs as processes: the lost skin library's message, the demo program's memory
// file across runs and kills, its wire log, and two copies side by side.
#include "app/window_layout.h"
#include "device/commit.h"
#include "sim/sim_firmware.h"
#include "tests/app/wire_log_lines.h"
#include "tests/support/program_process.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path scratchFolder(const wchar_t* name) {
    fs::path folder = fs::temp_directory_path() / L"pelko-app-tests" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Watches a window of another process until it is destroyed (at most `milliseconds`); true
// when it was visible at any moment.
bool everVisibleUntilDestroyed(HWND window, DWORD milliseconds) {
    bool visible = false;
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::GetTickCount() - start < milliseconds)
        visible = visible || ::IsWindowVisible(window);
    return visible;
}

} // namespace

TEST(Program, WithoutItsSkinLibraryTheProgramSaysSoAndEndsShowingNothingElse) {
    fs::path folder = scratchFolder(L"no-skin");
    fs::copy_file(binFolder() / L"pelkocfg.exe", folder / L"pelkocfg.exe");
    Program program(folder / L"pelkocfg.exe");
    ASSERT_TRUE(program.started());
    HWND box = program.window(L"Failed");
    ASSERT_NE(box, nullptr);
    wchar_t text[300] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 300);
    std::wstring shown = text;
    const std::wstring start = L"Failed opening DLL : VID_2719&PID_0604&MI_01.dll\r\nError: ";
    EXPECT_EQ(shown.substr(0, start.size()), start) << shown.c_str();
    EXPECT_GT(shown.size(), start.size());
    // The box's owner is the window that was being built; it stays hidden until it goes.
    HWND dialog = ::GetWindow(box, GW_OWNER);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(everVisibleUntilDestroyed(dialog, 10000));
    EXPECT_EQ(program.ended(), 0);
}

TEST(Program, WithItsSkinLibraryButNoMouseTheProgramBuildsItsWindow) {
    const auto start = std::chrono::steady_clock::now();
    Program program(binFolder() / L"pelkocfg.exe");
    ASSERT_NE(program.window(L"Glimmerhaus Pelko"), nullptr);
    const std::chrono::duration<double, std::milli> shown =
        std::chrono::steady_clock::now() - start;
    std::printf("pelkocfg.exe: process start to window shown %.0f ms\n", shown.count());
    EXPECT_TRUE(program.closeMainWindow());
}

TEST(Program, TheDemoStartsOnTheFactoryMemoryUnlessItsFileHoldsExactlyOneImage) {
    fs::path folder = scratchFolder(L"memory");
    const SimMemory factory = SimFirmware::factoryMemory();
    const std::vector<uint8_t> factoryBytes(factory.begin(), factory.end());
    struct Case {
        const wchar_t* name;
        size_t size; // bytes written first; 0: no file
    };
    for (Case c : {Case{L"absent.bin", 0}, Case{L"short.bin", 10}, Case{L"long.bin", 200}}) {
        fs::path file = folder / c.name;
        if (c.size) std::ofstream(file, std::ios::binary) << std::string(c.size, '\x42');
        Program demo(binFolder() / L"pelkocfg-sim.exe", file);
        ASSERT_TRUE(demo.closeMainWindow()) << c.name;
        EXPECT_EQ(fileBytes(file), factoryBytes) << c.name;
    }
    // A file that cannot be read (a folder of that name): the demo still runs.
    fs::create_directories(folder / L"folder.bin");
    Program unreadable(binFolder() / L"pelkocfg-sim.exe", folder / L"folder.bin");
    EXPECT_TRUE(unreadable.closeMainWindow());
}

TEST(Program, TwoCopiesRunSideBySide) {
    fs::path folder = scratchFolder(L"two");
    Program first(binFolder() / L"pelkocfg-sim.exe", folder / L"first.bin");
    Program second(binFolder() / L"pelkocfg-sim.exe", folder / L"second.bin");
    ASSERT_NE(first.window(L"Glimmerhaus Pelko"), nullptr);
    ASSERT_NE(second.window(L"Glimmerhaus Pelko"), nullptr);
    EXPECT_TRUE(first.closeMainWindow());
    EXPECT_TRUE(second.closeMainWindow());
}

namespace {

// The memory the 26 block reads of a start-up's wire log carried.
std::vector<uint8_t> memoryReadAtStartUp(const std::vector<WireLogLine>& lines) {
    std::vector<uint8_t> memory(130);
    int reads = 0;
    for (size_t i = 0; i < lines.size() && i < 42; ++i) {
        if (lines[i].command() != 'D') continue;
        const uint8_t mask = lines[i].replyByte(1);
        const int address = lines[i].replyByte(3) ^ mask;
        for (int b = 0; b < 5 && address + b < 130; ++b)
            memory[size_t(address + b)] = lines[i].replyByte(4 + b) ^ mask;
        ++reads;
    }
    return reads == 26 ? memory : std::vector<uint8_t>{};
}

// The images the memory passes through during Apply from `before` to `after`: the block
// writes in address order, then the twin CPI stage for a moment, then `after`.
std::vector<std::vector<uint8_t>> imagesOfApply(const std::vector<uint8_t>& before,
                                                const std::vector<uint8_t>& after) {
    std::vector<std::vector<uint8_t>> images;
    for (size_t written = 0; written <= 130; written += 5) {
        std::vector<uint8_t> image = before;
        std::copy(after.begin(), after.begin() + std::ptrdiff_t(written), image.begin());
        images.push_back(image);
    }
    std::vector<uint8_t> twin = after;
    twin[7] = uint8_t(twinStage(after[7]));
    images.push_back(twin);
    return images;
}

// How many exchanges of a wire log carried a command, as far as the log is written.
size_t exchangesOf(const fs::path& log, char command) {
    const std::vector<WireLogLine> lines = readWireLog(log);
    return size_t(std::count_if(lines.begin(), lines.end(), [&](const WireLogLine& line) {
        return line.wellFormed && line.command() == uint8_t(command);
    }));
}

constexpr DWORD kApplyTimeoutMs = 10000;

} // namespace

TEST(Program, TheDemosMemoryOutlivesARunAndAProgramKilledDuringApplyLeavesAWholeImage) {
    const fs::path folder = scratchFolder(L"across-runs");
    const fs::path demo = binFolder() / L"pelkocfg-sim.exe";
    const SimMemory factory = SimFirmware::factoryMemory();
    const std::vector<uint8_t> factoryBytes(factory.begin(), factory.end());

    // A run that applies its changes.
    const fs::path memory = folder / L"memory.bin";
    {
        Program first(demo, memory, folder / L"first.log");
        HWND main = first.window(L"Glimmerhaus Pelko");
        ASSERT_NE(main, nullptr);
        ::PostMessageW(main, WM_COMMAND, layout::id::kApply, 0);
        // Apply ends with its two live-state requests.
        ASSERT_TRUE(pumpUntil([&] { return exchangesOf(folder / L"first.log", '!') == 2; },
                              kApplyTimeoutMs));
        ASSERT_TRUE(first.closeMainWindow());
    }
    const std::vector<uint8_t> applied = fileBytes(memory);
    ASSERT_EQ(applied.size(), 130u);
    EXPECT_EQ(applied[2], 0x1F); // Apply's fixed bytes
    EXPECT_EQ(applied[4], 0xE0);
    const std::vector<WireLogLine> first = readWireLog(folder / L"first.log");
    ASSERT_GE(first.size(), 42u + 30u);
    for (const WireLogLine& line : first)
        EXPECT_TRUE(line.wellFormed) << line.index;
    EXPECT_EQ(memoryReadAtStartUp(first), factoryBytes);
    size_t apply = 42; // after the polls that came before it
    while (apply < first.size() && first[apply].command() == 'D' && first[apply].address() == 6)
        ++apply;
    ASSERT_LE(apply + 30, first.size());
    std::string commands;
    for (size_t i = apply; i < apply + 30; ++i)
        commands += char(first[i].command());
    EXPECT_EQ(commands, "D" + std::string(26, 'E') + "I!!");

    // The next run reads what the first one applied.
    {
        Program second(demo, memory, folder / L"second.log");
        ASSERT_TRUE(second.closeMainWindow());
    }
    EXPECT_EQ(memoryReadAtStartUp(readWireLog(folder / L"second.log")), applied);

    // Killed halfway through Apply's block write. It starts on the applied memory with the
    // bytes that Apply always writes (2, 4, 128, 129) put back: a configured mouse, so the
    // window shows the block's values and not Windows' pointer settings, and Apply ends on
    // exactly the applied memory again.
    const fs::path killedMemory = folder / L"killed.bin";
    std::vector<uint8_t> before = applied;
    for (size_t address : {2, 4, 128, 129})
        before[address] = factoryBytes[address];
    std::ofstream(killedMemory, std::ios::binary)
        .write(reinterpret_cast<const char*>(before.data()), std::streamsize(before.size()));
    {
        Program killed(demo, killedMemory, folder / L"killed.log");
        HWND main = killed.window(L"Glimmerhaus Pelko");
        ASSERT_NE(main, nullptr);
        ::PostMessageW(main, WM_COMMAND, layout::id::kApply, 0);
        ASSERT_TRUE(pumpUntil([&] { return exchangesOf(folder / L"killed.log", 'E') >= 13; },
                              kApplyTimeoutMs));
        killed.kill();
    }
    const std::vector<uint8_t> left = fileBytes(killedMemory);
    ASSERT_EQ(left.size(), 130u);
    const auto images = imagesOfApply(before, applied);
    const auto found = std::find(images.begin(), images.end(), left);
    EXPECT_NE(found, images.end());
    const int image = int(found - images.begin());
    std::printf("killed halfway through the block write: the file holds %s\n",
                image == 0    ? "the memory before Apply"
                : image < 26  ? "the memory of a block write"
                : image == 26 ? "the applied memory"
                              : "the applied memory at the twin CPI stage");
}
