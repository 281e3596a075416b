// The profiles file over the virtual mouse, through the programs as shipped: pelkoctl.exe's
// show, save and restore (exit codes, one line of reason, the driver's memory file byte for
// byte), and the companion's menu entries through the real file dialogs.
#include "companion/face/companion_face.h"
#include "companion/face/on_screen_display.h"
#include "sim/pelko_firmware.h"
#include "tests/e2e/remote_window.h"
#include "tests/support/program_process.h"
#include "tests/system/virtual_mouse.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr int kExitBadFile = 3, kExitNoMouse = 5, kExitWindowOpen = 7, kExitNotCompleted = 8;
constexpr int kStartUpExchanges = 42;
// The menu's entries as the down arrow reaches them.
constexpr int kSaveEntry = 4, kRestoreEntry = 5;

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string fileText(const fs::path& file) {
    const std::vector<uint8_t> bytes = fileBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

void writeMemory(const fs::path& file, const std::vector<uint8_t>& memory) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
}

std::vector<uint8_t> factoryMemory() {
    const FirmwareMemory m = PelkoFirmware::factoryMemory();
    return std::vector<uint8_t>(m.begin(), m.end());
}

// Every profile configured, profile 2 active at stage 2.
std::vector<uint8_t> seededMemory() {
    std::vector<uint8_t> memory = factoryMemory();
    memory[0] = 12;
    memory[1] = 3;
    memory[6] = 11;
    memory[7] = 2;
    const uint8_t profile2[] = {16, 32, 16, 32};
    std::copy(std::begin(profile2), std::end(profile2), &memory[39]);
    return memory;
}

// What every Apply writes besides the profiles.
void putApplyBytes(std::vector<uint8_t>& memory) {
    memory[2] = 0x1F;
    memory[4] = 0xE0;
    memory[128] = memory[129] = 0;
}

struct CtlRun {
    long code = -1;
    std::string out, err;
};

// A console program of bin/ with its standard output and error in files, to its end.
CtlRun runProgram(const std::wstring& exeName, const std::wstring& arguments,
                  const fs::path& folder) {
    const fs::path exe = binFolder() / exeName, out = folder / L"out.txt",
                   err = folder / L"err.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    auto create = [&](const fs::path& p) {
        return ::CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = create(out);
    startup.hStdError = create(err);
    std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
    PROCESS_INFORMATION info = {};
    CtlRun run;
    std::string launch;
    // Under a loaded Wine a process start now and then fails before the program runs; that is
    // no verdict on the program, so the start is tried again a few times.
    bool started = false;
    for (int tries = 0; !started && tries < 3; ++tries) {
        if (tries) ::Sleep(500);
        started = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE,
                                   DETACHED_PROCESS, nullptr, nullptr, &startup, &info);
        if (!started) launch += "not started (error " + std::to_string(::GetLastError()) + "); ";
    }
    if (started) {
        DWORD code = 0;
        if (::WaitForSingleObject(info.hProcess, kTimeoutMs) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(info.hProcess, &code))
            run.code = long(code);
        else
            launch += "did not end in time; ";
        ::TerminateProcess(info.hProcess, 1);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    run.out = fileText(out);
    // A run that went wrong before the program could say why says what happened to it.
    run.err = launch + fileText(err);
    return run;
}

std::string quoted(const fs::path& path) {
    std::string text = path.string();
    text.insert(text.begin(), '"');
    text.push_back('"');
    return text;
}

// The file dialog's name field: where the keyboard's typing goes when the dialog has opened.
HWND fileNameField(HWND dialog) {
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof(focus);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &focus)) return nullptr;
    wchar_t className[16] = {};
    ::GetClassNameW(focus.hwndFocus, className, 16);
    return ::IsChild(dialog, focus.hwndFocus) && _wcsicmp(className, L"Edit") == 0 ? focus.hwndFocus
                                                                                   : nullptr;
}

class ProfilesSystemTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { VirtualMouse().unplug(); }

    void SetUp() override {
        folder = binFolder() / L"profiles-tests" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
        wireLog = folder / L"wire.log";
    }

    void plug(const std::vector<uint8_t>& memory) {
        writeMemory(memoryFile, memory);
        ASSERT_TRUE(mouse.plug(memoryFile, wireLog)) << "the virtual mouse did not plug in";
    }

    CtlRun ctl(const std::string& arguments) {
        return runProgram(L"pelkoctl.exe", std::wstring(arguments.begin(), arguments.end()),
                          folder);
    }

    size_t exchanges() const { return readWireLog(wireLog).size(); }

    VirtualMouse mouse;
    fs::path folder, memoryFile, wireLog;
};

// A file as the tests write one: profile 1 and 3 configured, profile 2 never.
const char kFile[] = R"({"format": "Glimmerhaus Pelko profiles", "version": 1,
  "mouse": {"name": "Glimmerhaus Pelko", "vendorId": "2719", "productId": "0604"},
  "profiles": {
    "profile1": {"cpi1": 1600, "cpi2": 3200, "reportRate": 1000, "buttonSwap": true,
                 "pointerSpeed": 6, "acceleration": false, "wheelLines": 9},
    "profile2": {"configured": false},
    "profile3": {"cpi1": 800, "cpi2": {"code": 40}, "reportRate": {"code": 5},
                 "buttonSwap": false}}})";

} // namespace

// show and save of a configured mouse; the profiles changed by another restore; the saved file
// restored: the memory as before, but for what every Apply writes.
TEST_F(ProfilesSystemTest, ASavedFileRestoresTheMouseAfterItsProfilesChanged) {
    const std::vector<uint8_t> seeded = seededMemory();
    plug(seeded);
    const CtlRun shown = ctl("show");
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find(R"("format": "Glimmerhaus Pelko profiles")"), std::string::npos);
    EXPECT_NE(shown.out.find(R"("cpi1": 800)"), std::string::npos) << shown.out;
    const fs::path saved = folder / L"saved profiles.json";
    const CtlRun save = ctl("save " + quoted(saved));
    ASSERT_EQ(save.code, 0) << save.err;
    EXPECT_EQ(fileBytes(memoryFile), seeded) << "save changed the mouse";

    writeFile(folder / L"other.json", kFile);
    ASSERT_EQ(ctl("restore " + quoted(folder / L"other.json")).code, 0);
    ASSERT_NE(fileBytes(memoryFile), seeded);

    const CtlRun restore = ctl("restore " + quoted(saved));
    ASSERT_EQ(restore.code, 0) << restore.err;
    std::vector<uint8_t> expected = seeded;
    putApplyBytes(expected);
    EXPECT_EQ(fileBytes(memoryFile), expected);
}

// A never-configured mouse receives the file's profiles and markers; a profile the file names
// as never configured stays as the mouse has it.
TEST_F(ProfilesSystemTest, ARestoreOntoANeverConfiguredMouse) {
    plug(factoryMemory());
    writeFile(folder / L"p.json", kFile);
    const CtlRun restore = ctl("restore " + quoted(folder / L"p.json"));
    ASSERT_EQ(restore.code, 0) << restore.err;
    std::vector<uint8_t> expected = factoryMemory();
    putApplyBytes(expected);
    expected[0] = 10; // profile 1 configured, profile 2 not
    expected[1] = 3;
    const uint8_t profile1[] = {32, 64, 32, 64, expected[32], 1, 1, 6, 0, 9};
    std::copy(std::begin(profile1), std::end(profile1), &expected[28]);
    const uint8_t profile3[] = {16, 40, 16, 40, expected[54], 5, 0};
    std::copy(std::begin(profile3), std::end(profile3), &expected[50]);
    EXPECT_EQ(fileBytes(memoryFile), expected);
}

// Every bad file is refused before the mouse is touched: not one exchange, the exit code and
// one line that names what is wrong.
TEST_F(ProfilesSystemTest, BadFilesAreRefusedWithTheMouseUntouched) {
    plug(seededMemory());
    const std::string good = kFile;
    struct BadFile {
        const char* name;
        std::string text;
        const char* says;
    };
    std::string newer = good;
    newer.replace(newer.find(R"("version": 1)"), 12, R"("version": 2)");
    std::string otherMouse = good;
    otherMouse.replace(otherMouse.find("2719"), 4, "046D");
    std::string badValue = good;
    badValue.replace(badValue.find(R"("pointerSpeed": 6)"), 17, R"("pointerSpeed": 60)");
    const BadFile files[] = {
        {"text.json", "just some text", "not JSON: line 1"},
        {"truncated.json", good.substr(0, good.size() / 2), "not JSON"},
        {"huge.json", std::string(1024 * 1024 + 1, ' '), "too large"},
        {"newer.json", newer, "format version 2"},
        {"other mouse.json", otherMouse, "another mouse: Glimmerhaus Pelko (vendor 046D"},
        {"bad value.json", badValue, "profiles.profile1.pointerSpeed"},
    };
    const std::vector<uint8_t> before = fileBytes(memoryFile);
    for (const BadFile& bad : files) {
        writeFile(folder / bad.name, bad.text);
        const CtlRun run = ctl(std::string("restore ") + quoted(folder / bad.name));
        EXPECT_EQ(run.code, kExitBadFile) << bad.name;
        EXPECT_NE(run.err.find(bad.says), std::string::npos) << bad.name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(exchanges(), 0u);
    EXPECT_EQ(fileBytes(memoryFile), before);
}

// While the window runs a restore is refused before any exchange of its own; show has the mouse
// to itself between the window's exchanges. Without a mouse, show says so.
TEST_F(ProfilesSystemTest, RestoreWaitsForTheWindowAndShowNeedsAMouse) {
    plug(seededMemory());
    writeFile(folder / L"p.json", kFile);
    {
        Program window(binFolder() / L"pelkocfg.exe");
        ASSERT_TRUE(window.started());
        ASSERT_TRUE(waitFor([&] { return exchanges() >= size_t(kStartUpExchanges); }, kTimeoutMs));
        const std::vector<uint8_t> before = fileBytes(memoryFile);
        const CtlRun run = ctl("restore " + quoted(folder / L"p.json"));
        EXPECT_EQ(run.code, kExitWindowOpen);
        EXPECT_NE(run.err.find("close it first"), std::string::npos) << run.err;
        EXPECT_EQ(fileBytes(memoryFile), before);
        EXPECT_TRUE(window.closeMainWindow());
    }
    ASSERT_TRUE(mouse.unplug());
    const CtlRun shown = ctl("show");
    EXPECT_EQ(shown.code, kExitNoMouse);
    EXPECT_TRUE(shown.out.empty());
    EXPECT_NE(shown.err.find("no Glimmerhaus Pelko answered"), std::string::npos) << shown.err;
}

// The cable pulled after five of the first commit's writes: the restore says it did not
// complete, the markers still say never configured (the window shows factory choices, not the
// half-written bytes), and once the mouse is back the same restore completes.
TEST_F(ProfilesSystemTest, ACablePulledMidRestoreIsReportedAndARunAgainCompletes) {
    plug(factoryMemory());
    writeFile(folder / L"p.json", kFile);
    ASSERT_TRUE(mouse.setFault(L"UnplugAt", kStartUpExchanges + 1 + 5));
    const CtlRun pulled = ctl("restore " + quoted(folder / L"p.json"));
    EXPECT_EQ(pulled.code, kExitNotCompleted);
    EXPECT_NE(pulled.err.find("run it again once the mouse is back"), std::string::npos)
        << pulled.err;
    const std::vector<uint8_t> held = fileBytes(memoryFile);
    ASSERT_EQ(held.size(), 130u);
    EXPECT_EQ(held[0], 0xFF);
    EXPECT_EQ(held[1], 0xFF);

    ASSERT_TRUE(mouse.unplug());
    ASSERT_TRUE(mouse.plug(memoryFile, wireLog));
    const CtlRun again = ctl("restore " + quoted(folder / L"p.json"));
    EXPECT_EQ(again.code, 0) << again.err;
    const std::vector<uint8_t> restored = fileBytes(memoryFile);
    ASSERT_EQ(restored.size(), 130u);
    EXPECT_EQ(restored[0], 10);
    EXPECT_EQ(restored[1], 3);
    EXPECT_EQ(restored[28], 32);
}

// The companion's two menu entries through the standard dialogs, as a user fills them in: the
// file's name typed, Enter pressed.
TEST_F(ProfilesSystemTest, TheCompanionsMenuSavesAndRestoresThroughTheFileDialogs) {
    plug(seededMemory());
    ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", L"100");
    Program companion(binFolder() / L"pelkotray.exe");
    ::SetEnvironmentVariableW(L"PELKO_COMPANION_POLL_MS", nullptr);
    ASSERT_TRUE(companion.started());
    HWND window = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (window = ::FindWindowW(L"Joyvane_Clock", nullptr)); }, kTimeoutMs));

    // "" when the dialog took the name and closed, else the step that failed.
    auto throughDialog = [&](int entry, const wchar_t* title, const fs::path& file) -> std::string {
        ::PostMessageW(window, kTrayCallbackMessage, MAKEWPARAM(600, 1000),
                       MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
        HWND menu = nullptr;
        if (!waitFor(
                [&] {
                    return (menu = ::FindWindowW(L"#32768", nullptr)) && ::IsWindowVisible(menu);
                },
                kTimeoutMs))
            return "no menu";
        for (int i = 0; i < entry; ++i)
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        const HWND dialog = companion.window(title);
        if (!dialog) return "no dialog";
        HWND field = nullptr;
        if (!waitFor([&] { return (field = fileNameField(dialog)) != nullptr; }, kTimeoutMs))
            return "no file name field";
        ::SendMessageW(field, EM_SETSEL, 0, -1);
        for (wchar_t c : file.wstring())
            ::PostMessageW(field, WM_CHAR, c, 1);
        ::PostMessageW(field, WM_KEYDOWN, VK_RETURN, 0);
        return waitFor([&] { return !::IsWindow(dialog); }, kTimeoutMs) ? "" : "still open";
    };

    const fs::path saved = folder / L"from the menu.json";
    ASSERT_EQ(throughDialog(kSaveEntry, L"Save profiles to a file", saved), "");
    ASSERT_TRUE(waitFor([&] { return fs::exists(saved); }, kTimeoutMs)) << "nothing saved";
    EXPECT_NE(fileText(saved).find(R"("profile2": {)"), std::string::npos);

    writeFile(folder / L"p.json", kFile);
    ASSERT_EQ(throughDialog(kRestoreEntry, L"Restore profiles from a file", folder / L"p.json"),
              "");
    EXPECT_TRUE(waitFor(
        [&] {
            const std::vector<uint8_t> memory = fileBytes(memoryFile);
            return memory.size() == 130 && memory[28] == 32;
        },
        kTimeoutMs))
        << "the restore did not reach the mouse";
    // The on-screen display confirms it: profile 2 stays active, at stage 2.
    const std::wstring confirmation = L"Profiles restored \u00B7 Profile 2 \u00B7 1600 CPI";
    std::wstring shown;
    EXPECT_TRUE(waitFor(
        [&] {
            HWND display = ::FindWindowW(kOnScreenDisplayClass, nullptr);
            wchar_t text[128] = {};
            if (display && ::IsWindowVisible(display)) ::GetWindowTextW(display, text, 128);
            return (shown = text) == confirmation;
        },
        kTimeoutMs))
        << "the display showed \"" << std::string(shown.begin(), shown.end()) << "\"";
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(companion.ended(), 0);
}
