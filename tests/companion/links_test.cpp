// The program links in this process: which programs a link can name and how names match, the
// links as the registry holds them (malformed values left out), and when a program counts as
// in front.
#include "companion/links/foreground_settle.h"
#include "companion/links/program_links.h"
#include "companion/links/program_name.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(ProgramNames, TheFileNameOfAnImageMatchesAnyCaseAndTheShellAndOurProgramsAreNeverLinked) {
    EXPECT_EQ(programFileName(L"C:\\Games\\Strategy\\Game.EXE"), L"game.exe");
    EXPECT_EQ(programFileName(L"Z:/opt/shooter.exe"), L"shooter.exe");
    EXPECT_EQ(programFileName(L"C:\\Games\\"), L"");
    EXPECT_EQ(programFileName(L""), L"");

    const struct {
        const wchar_t* name;
        bool linkable;
    } names[] = {
        {L"game.exe", true},
        {L"GAME.EXE", true},
        {L"", false},
        {L"Explorer.EXE", false},
        {L"StartMenuExperienceHost.exe", false},
        {L"SearchHost.exe", false},
        {L"pelkocfg.exe", false},
        {L"PelkoTray.exe", false},
        {L"notepad.exe", true},
    };
    for (const auto& n : names)
        EXPECT_EQ(isLinkableProgram(n.name), n.linkable)
            << std::string(n.name, n.name + wcslen(n.name));

    const ProgramLinks links{{L"game.exe", 2}};
    EXPECT_EQ(linkedProfile(links, L"Game.Exe"), 2);
    EXPECT_EQ(linkedProfile(links, L"game.ex"), 0);
    EXPECT_EQ(linkedProfile(links, L""), 0);
}

class ProgramLinksRegistry : public ::testing::Test {
  protected:
    void SetUp() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, kProgramLinksKey); }
    void TearDown() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, kProgramLinksKey); }

    static void store(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kProgramLinksKey, name, type, data, size),
                  ERROR_SUCCESS);
    }
    static void storeDword(const wchar_t* name, DWORD value) {
        store(name, REG_DWORD, &value, sizeof(value));
    }
};

TEST_F(ProgramLinksRegistry, MalformedValuesAreLeftOutAndTheRestRead) {
    EXPECT_TRUE(readProgramLinks().empty()) << "no key";
    storeDword(L"Shooter.EXE", 1);
    storeDword(L"strategy.exe", 3);
    storeDword(L"zero.exe", 0);
    storeDword(L"four.exe", 4);
    storeDword(L"huge.exe", 0xFFFFFFFF);
    storeDword(L"C:\\Games\\path.exe", 2);
    storeDword(L"explorer.exe", 2);
    storeDword(L"pelkocfg.exe", 2);
    storeDword(L"", 2); // the key's default value
    const wchar_t text[] = L"2";
    store(L"text.exe", REG_SZ, text, sizeof(text));
    const uint64_t wide = 2;
    store(L"qword.exe", REG_QWORD, &wide, sizeof(wide));
    const uint8_t shortData[2] = {2, 0};
    store(L"short.exe", REG_BINARY, shortData, sizeof(shortData));
    const DWORD asBinary = 2;
    store(L"binary.exe", REG_BINARY, &asBinary, sizeof(asBinary));
    const uint8_t longDword[8] = {2};
    store(L"long.exe", REG_DWORD, longDword, sizeof(longDword));

    EXPECT_EQ(readProgramLinks(), (ProgramLinks{{L"shooter.exe", 1}, {L"strategy.exe", 3}}));
}

TEST_F(ProgramLinksRegistry, ALinkReplacesEveryCaseOfItsNameAndNoneRemovesIt) {
    storeDword(L"Game.EXE", 1);
    storeDword(L"GAME.exe", 3);
    ASSERT_TRUE(setProgramLink(L"game.exe", 2));
    EXPECT_EQ(readProgramLinks(), (ProgramLinks{{L"game.exe", 2}}));
    ASSERT_TRUE(setProgramLink(L"Game.exe", 0));
    EXPECT_TRUE(readProgramLinks().empty());
    EXPECT_FALSE(setProgramLink(L"explorer.exe", 1)) << "the shell was linked";
    EXPECT_FALSE(setProgramLink(L"game.exe", 4));
    EXPECT_TRUE(readProgramLinks().empty());
}

// Looks every 500 ms, as the companion's timer makes them.
TEST(ForegroundSettleTest, AProgramCountsAfterASecondInFrontAndTheShellChangesNothing) {
    ForegroundSettle settle;
    EXPECT_FALSE(settle.look(L"game.exe", 0));
    EXPECT_FALSE(settle.look(L"game.exe", 500));
    EXPECT_FALSE(settle.look(L"game.exe", 900));
    EXPECT_TRUE(settle.look(L"game.exe", 990)) << "a timer's tick early";
    EXPECT_EQ(settle.settled(), L"game.exe");
    EXPECT_FALSE(settle.look(L"game.exe", 1500)) << "told twice";

    // Alt-Tab through another program and back: nothing changes.
    EXPECT_FALSE(settle.look(L"notepad.exe", 2000));
    EXPECT_FALSE(settle.look(L"notepad.exe", 2500));
    EXPECT_FALSE(settle.look(L"game.exe", 3000));
    EXPECT_FALSE(settle.look(L"game.exe", 5000));
    EXPECT_EQ(settle.settled(), L"game.exe");

    // The taskbar or Start (no program to link) between two looks: still the game.
    EXPECT_FALSE(settle.look(L"", 5500));
    EXPECT_FALSE(settle.look(L"", 9000));
    EXPECT_EQ(settle.settled(), L"game.exe");

    // Then another program, a second long.
    EXPECT_FALSE(settle.look(L"notepad.exe", 9500));
    EXPECT_FALSE(settle.look(L"", 10000));
    EXPECT_TRUE(settle.look(L"notepad.exe", 10500));
    EXPECT_EQ(settle.settled(), L"notepad.exe");

    // The settled program ended: none in front; the same name settles again only after a second.
    settle.leave();
    EXPECT_EQ(settle.settled(), L"");
    EXPECT_FALSE(settle.look(L"notepad.exe", 11000));
    EXPECT_TRUE(settle.look(L"notepad.exe", 12000));

    settle.settleNow(L"game.exe");
    EXPECT_EQ(settle.settled(), L"game.exe");
    EXPECT_FALSE(settle.look(L"game.exe", 12500));
}

} // namespace
