// The release package as a user meets it: the program of the unpacked archive started as a
// process, with no mouse plugged in, among libraries a stranger planted beside it, in the
// current directory and on PATH; with its skin library taken out of the folder; on a system
// without a DLL it takes functions from; and its companion started from there.
#include "companion/face/companion_face.h"
#include "tests/support/program_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const wchar_t kSkin[] = L"VID_2719&PID_0604&MI_01.dll";
const std::vector<std::wstring> kNoMarker;

// The folder the archive was unpacked into, as the driver script names it.
fs::path unpackedFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"PELKO_RELEASE_FOLDER", folder, MAX_PATH);
    return folder;
}

// A folder of that name beside the unpacked one: a copy of the package, or empty.
fs::path besidePackage(const wchar_t* name, bool copyPackage = false) {
    const fs::path folder = unpackedFolder().parent_path() / name;
    fs::remove_all(folder);
    if (copyPackage) fs::copy(unpackedFolder(), folder);
    fs::create_directories(folder);
    return folder;
}

// hid.dll and msimg32.dll as a stranger left them (planted_library.c): each leaves
// "<library>.ran" beside itself when its entry point runs.
void plantLibraries(const fs::path& folder) {
    for (const wchar_t* library : {L"hid.dll", L"msimg32.dll"})
        fs::copy_file(binFolder() / L"planted" / library, folder / library);
}

std::vector<std::wstring> markers(const fs::path& folder) {
    std::vector<std::wstring> found;
    for (const fs::directory_entry& file : fs::directory_iterator(folder))
        if (file.path().extension() == L".ran") found.push_back(file.path().filename());
    return found;
}

// PATH, for this process and the programs it starts, with a folder first while it lives.
class PathFirst {
  public:
    explicit PathFirst(const fs::path& folder) {
        wchar_t path[4096] = {};
        ::GetEnvironmentVariableW(L"PATH", path, 4096);
        m_old = path;
        ::SetEnvironmentVariableW(L"PATH", (folder.wstring() + L";" + m_old).c_str());
    }
    ~PathFirst() { ::SetEnvironmentVariableW(L"PATH", m_old.c_str()); }

  private:
    std::wstring m_old;
};

// Wine's per-program setting that disables a DLL for that program only (HKCU\Software\Wine
// \AppDefaults\<exe>\DllOverrides, <library> = ""), removed when the object goes.
class WineDisablesForProgram {
  public:
    WineDisablesForProgram(const std::wstring& exe, const std::wstring& library)
        : m_key(L"Software\\Wine\\AppDefaults\\" + exe) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (m_key + L"\\DllOverrides").c_str(), library.c_str(),
                          REG_SZ, L"", sizeof(wchar_t));
    }
    ~WineDisablesForProgram() { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str()); }

  private:
    std::wstring m_key;
};

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

// The program shows only the "Failed" box for that library, then ends cleanly.
void expectFailedBoxAndCleanEnd(const Program& program, const std::wstring& library) {
    ASSERT_TRUE(program.started());
    HWND box = program.window(L"Failed");
    ASSERT_NE(box, nullptr) << fs::path(library).string();
    const std::wstring start = L"Failed opening DLL : " + library + L"\r\nError: ";
    EXPECT_EQ(boxText(box).substr(0, start.size()), start);
    EXPECT_EQ(answerAndWaitForTheEnd(program, box), 0);
    EXPECT_EQ(program.window(L"Glimmerhaus Pelko"), nullptr);
}

// The companion's hidden window of that process, waiting up to 15 s.
HWND companionWindowOf(const Program& program) {
    for (int wait = 0; wait < 750; ++wait, ::Sleep(20)) {
        HWND window = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (window && owner == program.id()) return window;
    }
    return nullptr;
}

// Whether the taskbar holds the window's icon: it modifies only icons it knows.
bool taskbarHoldsIconOf(HWND window) {
    NOTIFYICONDATAW probe = {};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window;
    probe.uID = kTrayIconId;
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// "Exit", the last entry of the icon's menu, as the keyboard picks it once a right click on
// the icon has opened the menu (the taskbar's callback message to the window).
bool exitFromTheMenu(HWND window) {
    ::PostMessageW(window, kTrayCallbackMessage, MAKEWPARAM(600, 1000),
                   MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    for (int wait = 0; wait < 750; ++wait, ::Sleep(20)) {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        DWORD menuOwner = 0;
        ::GetWindowThreadProcessId(menu, &menuOwner);
        if (!menu || menuOwner != owner || !::IsWindowVisible(menu)) continue;
        ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0); // from no selection to the last entry
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }
    return false;
}

} // namespace

// The companion as a user starts it from the unpacked folder, without a mouse: its icon in the
// taskbar, a second start that ends at once, and Exit from the icon's menu.
TEST(ReleasePackage, TheCompanionShowsItsIconEndsASecondStartAndEndsWithExit) {
    const fs::path folder = unpackedFolder();
    Program companion(folder / L"pelkotray.exe", {}, {}, folder);
    ASSERT_TRUE(companion.started());
    const HWND window = companionWindowOf(companion);
    ASSERT_NE(window, nullptr) << "the companion made no window";
    bool icon = false; // added once the window is made
    for (int wait = 0; wait < 250 && !(icon = taskbarHoldsIconOf(window)); ++wait)
        ::Sleep(20);
    EXPECT_TRUE(icon) << "no icon in the taskbar";

    Program second(folder / L"pelkotray.exe", {}, {}, folder);
    EXPECT_EQ(second.ended(5000), 0) << "a second start did not end at once";
    EXPECT_EQ(companion.ended(0), -1) << "the first companion ended";

    ASSERT_TRUE(exitFromTheMenu(window)) << "no menu";
    EXPECT_EQ(companion.ended(), 0) << "Exit did not end the companion";
}

// A hid.dll and an msimg32.dll planted beside the program and in the current directory never
// run (under Wine a planted hid.dll would; a planted msimg32.dll would not, there the import
// check is the witness), and a skin of the right name there and on PATH (the test skin of
// 640 × 400) is not the one shown.
TEST(ReleasePackage, WithoutAMouseAmongPlantedCodeTheWindowBuildsThenTheLostMouseBoxEndsIt) {
    const fs::path folder = unpackedFolder(), current = besidePackage(L"current"),
                   onPath = besidePackage(L"on-path");
    plantLibraries(folder);
    plantLibraries(current);
    fs::copy_file(binFolder() / L"skin_test_resized.dll", current / kSkin);
    fs::copy_file(binFolder() / L"skin_test_resized.dll", onPath / kSkin);
    PathFirst path(onPath);
    Program program(folder / L"pelkocfg.exe", {}, {}, current);
    ASSERT_TRUE(program.started());
    HWND window = program.window(L"Glimmerhaus Pelko");
    EXPECT_EQ(markers(folder), kNoMarker); // planted code would have run before the window
    EXPECT_EQ(markers(current), kNoMarker);
    ASSERT_NE(window, nullptr);
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 568);
    EXPECT_EQ(rect.bottom - rect.top, 344);
    HWND box = program.window(L"Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box), L"No Glimmerhaus Pelko detected!");
    EXPECT_EQ(answerAndWaitForTheEnd(program, box), 0);
}

// Every program on the framework's entry: a plain search for hid.dll after the start finds
// Windows' own (the probe ends with 0), not the one planted beside the program.
TEST(ReleasePackage, AnyProgramOfOursSearchesOnlyWindowsOwnFolder) {
    const fs::path folder = besidePackage(L"probe");
    plantLibraries(folder);
    fs::copy_file(binFolder() / L"library_search_probe.exe", folder / L"probe.exe");
    Program probe(folder / L"probe.exe");
    ASSERT_TRUE(probe.started());
    EXPECT_EQ(probe.ended(), 0);
    EXPECT_EQ(markers(folder), kNoMarker);
}

// On a Windows without SetDefaultDllDirectories (the probe, so named, pretends it is missing),
// hid.dll and msimg32.dll still come from the system folder though copies lie beside the
// program and in the current directory, and the current directory is out of the search: a
// library only it holds is not found.
TEST(ReleasePackage, WithoutSetDefaultDllDirectoriesSystemLibrariesStillComeFromWindowsOwn) {
    const fs::path folder = besidePackage(L"old-loader"), current = besidePackage(L"old-current");
    plantLibraries(folder);
    plantLibraries(current);
    fs::copy_file(binFolder() / L"planted" / L"hid.dll", current / L"pelko_planted.dll");
    const fs::path probe = folder / L"without-default-directories.exe";
    fs::copy_file(binFolder() / L"library_search_probe.exe", probe);
    Program program(probe, {}, {}, current);
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.ended(), 0) << "2: the look-up was not asked, 3: a library not from the "
                                     "system folder, 4: the current directory searched";
    EXPECT_EQ(markers(folder), kNoMarker);
    EXPECT_EQ(markers(current), kNoMarker);
}

// The right library in the current directory and on PATH does not stand in for its own.
TEST(ReleasePackage, WithoutItsSkinLibraryBesideItTheProgramShowsTheFailedBoxAndNoWindow) {
    const fs::path folder = besidePackage(L"without-skin", true),
                   current = besidePackage(L"current-skin"), onPath = besidePackage(L"path-skin");
    fs::rename(folder / kSkin, current / kSkin);
    fs::copy_file(current / kSkin, onPath / kSkin);
    PathFirst path(onPath);
    expectFailedBoxAndCleanEnd(Program(folder / L"pelkocfg.exe", {}, {}, current), kSkin);
}

// A system without hid.dll or msimg32.dll. (Without msimg32.dll, Wine's own drawing of the box
// fails to delay-load AlphaBlend and says so on the console; the box shows all the same.)
TEST(ReleasePackage, WithoutASystemLibraryTheFailedBoxNamesItAndTheProgramEnds) {
    for (const std::wstring library : {L"hid", L"msimg32"}) {
        const std::wstring exe = L"pelkocfg-without-" + library + L".exe";
        const fs::path folder = besidePackage(exe.c_str(), true);
        fs::rename(folder / L"pelkocfg.exe", folder / exe);
        WineDisablesForProgram disabled(exe, library);
        expectFailedBoxAndCleanEnd(Program(folder / exe), library + L".dll");
    }
}
