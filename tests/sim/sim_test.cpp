// The simulated mouse itself: what the demo relies on beyond the device tests.
#include "device/feature_report.h"
#include "sim/sim_firmware.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

SimReport request(uint8_t command, std::initializer_list<uint8_t> payload, uint8_t mask = 0x5A) {
    SimReport report{};
    report[1] = mask;
    report[2] = command;
    size_t i = 3;
    for (auto value = payload.begin(); value != payload.end() && i < report.size(); ++value) {
        report[i++] = *value;
    }
    for (i = 3; i < report.size(); ++i)
        report[i] ^= mask;
    return report;
}

std::wstring scratchFile() {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"pelko_sim_memory.bin";
}

} // namespace

TEST(SimFirmware, MemoryPersistsAcrossARestartWhenAsked) {
    const std::wstring path = scratchFile();
    _wremove(path.c_str());
    {
        SimFirmware mouse;
        ASSERT_TRUE(mouse.persistTo(path));
        EXPECT_EQ(mouse.answer(request('E', {40, 1, 2, 3, 4, 5}))[2], 1);
        mouse.nextProfile();
        mouse.cycleCpiStage();
    }
    SimFirmware restarted;
    ASSERT_TRUE(restarted.persistTo(path));
    EXPECT_EQ(restarted.memory[40], 1);
    EXPECT_EQ(restarted.memory[44], 5);
    EXPECT_EQ(restarted.memory[6], 11);
    EXPECT_EQ(restarted.memory[7], 2);

    // A file that is not a memory image is not loaded.
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fputs("short", file);
    std::fclose(file);
    SimFirmware fresh;
    EXPECT_FALSE(fresh.loadMemory(path));
    EXPECT_EQ(fresh.memory, SimFirmware::factoryMemory());
    _wremove(path.c_str());
}

TEST(SimFirmware, UnlocksOnlyForTheWholeSequenceInOrder) {
    SimFirmware mouse;
    auto step = [&](int k, bool corrupt = false) {
        const size_t first = size_t(k - 1) * 6;
        uint8_t b[6] = {};
        for (size_t i = 0; i < (k < 6 ? 6u : 2u); ++i)
            b[i] = UnlockSequence[first + i];
        if (corrupt) b[0] ^= 1;
        return mouse.answer(request(uint8_t(k), {b[0], b[1], b[2], b[3], b[4], b[5]}))[2];
    };
    for (int k : {1, 2, 4, 3, 5})
        step(k);
    EXPECT_EQ(step(6), 0);
    for (int k = 1; k <= 5; ++k)
        step(k, k == 3);
    EXPECT_EQ(step(6), 0);
    EXPECT_FALSE(mouse.unlocked);
    for (int k = 1; k <= 5; ++k)
        step(k);
    EXPECT_EQ(step(6), 1);
    EXPECT_TRUE(mouse.unlocked);
}

TEST(SimFirmware, RefusesWhatItCannotDoAndAnswersWithItsOwnMask) {
    SimFirmware mouse;
    EXPECT_EQ(mouse.answer(request('D', {126}))[2], 0); // would read past 129
    EXPECT_EQ(mouse.answer(request('I', {5}))[2], 0);
    EXPECT_EQ(mouse.answer(request('!', {0, 1, 0}))[2], 0);
    EXPECT_EQ(mouse.answer(request(0x7F, {}))[2], 0);
    mouse.replyMask = 0x33;
    const SimReport reply = mouse.answer(request('D', {125}));
    EXPECT_EQ(reply[1], 0x33);
    EXPECT_EQ(reply[8] ^ 0x33, 0x5A); // address 129
}
