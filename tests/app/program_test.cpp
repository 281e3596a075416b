// The two programs as processes: the lost skin library's message, the demo program's memory
// file, and two copies side by side.
#include "sim/sim_firmware.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path binFolder() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

fs::path scratchFolder(const wchar_t* name) {
    fs::path folder = fs::temp_directory_path() / L"pelko-app-tests" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

struct FoundWindow {
    DWORD process;
    const wchar_t* title;
    HWND window = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<FoundWindow*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t title[128] = {};
    ::GetWindowTextW(window, title, 128);
    if (process != wanted->process || std::wstring(title) != wanted->title ||
        !::IsWindowVisible(window))
        return TRUE;
    wanted->window = window;
    return FALSE;
}

// A program started with an optional PELKO_SIM_MEMORY; ended (closed or killed) when it goes.
class Program {
  public:
    Program(const fs::path& exe, const fs::path& memoryFile = {}) {
        if (!memoryFile.empty()) ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", memoryFile.c_str());
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        std::wstring command = L"\"" + exe.wstring() + L"\"";
        m_started = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, exe.parent_path().c_str(), &startup, &m_info);
        ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", nullptr);
    }
    ~Program() {
        if (!m_started) return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_info.hProcess, 99);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }

    bool started() const { return m_started; }

    // The program's visible top-level window with this title, waiting up to 15 s.
    HWND window(const wchar_t* title) const {
        for (int i = 0; i < 300; ++i) {
            FoundWindow found = {m_info.dwProcessId, title, nullptr};
            ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&found));
            if (found.window) return found.window;
            if (::WaitForSingleObject(m_info.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // Waits up to 10 s for the end; its exit code, or -1 when it is still running.
    long ended() const {
        if (::WaitForSingleObject(m_info.hProcess, 10000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return long(code);
    }

    bool closeMainWindow() const {
        HWND main = window(L"Glimmerhaus Pelko");
        if (!main) return false;
        ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        return ended() == 0;
    }

  private:
    PROCESS_INFORMATION m_info = {};
    bool m_started = false;
};

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(Program, WithoutItsSkinLibraryTheProgramSaysSoAndEnds) {
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
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.ended(), 0);
    EXPECT_EQ(program.window(L"Glimmerhaus Pelko"), nullptr);
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
