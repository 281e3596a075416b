// The release package as a user meets it: the program of the unpacked archive started as a
// process, with no mouse plugged in, and again with its skin library taken out of the folder.
#include "tests/support/program_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// The folder the archive was unpacked into, as the driver script names it.
fs::path unpackedFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"PELKO_RELEASE_FOLDER", folder, MAX_PATH);
    return folder;
}

std::wstring boxText(HWND box) {
    wchar_t text[300] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 300);
    return text;
}

// Answers the box with OK and waits for the program's end; its exit code.
long answerAndWaitForTheEnd(const Program& program, HWND box) {
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return program.ended();
}

} // namespace

TEST(ReleasePackage, WithoutAMouseTheWindowBuildsThenTheLostMouseBoxEndsTheProgram) {
    const fs::path exe = unpackedFolder() / L"pelkocfg.exe";
    ASSERT_TRUE(fs::exists(exe)) << exe.string();
    Program program(exe);
    ASSERT_TRUE(program.started());
    EXPECT_NE(program.window(L"Glimmerhaus Pelko"), nullptr);
    HWND box = program.window(L"Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box), L"No Glimmerhaus Pelko detected!");
    EXPECT_EQ(answerAndWaitForTheEnd(program, box), 0);
}

TEST(ReleasePackage, WithoutItsSkinLibraryTheProgramShowsTheFailedBoxAndNoWindow) {
    const fs::path folder = unpackedFolder().parent_path() / L"without-skin";
    fs::remove_all(folder);
    fs::copy(unpackedFolder(), folder);
    ASSERT_TRUE(fs::remove(folder / L"VID_2719&PID_0604&MI_01.dll"));
    Program program(folder / L"pelkocfg.exe");
    ASSERT_TRUE(program.started());
    HWND box = program.window(L"Failed");
    ASSERT_NE(box, nullptr);
    const std::wstring start = L"Failed opening DLL : VID_2719&PID_0604&MI_01.dll\r\nError: ";
    EXPECT_EQ(boxText(box).substr(0, start.size()), start);
    EXPECT_EQ(answerAndWaitForTheEnd(program, box), 0);
    EXPECT_EQ(program.window(L"Glimmerhaus Pelko"), nullptr);
}
