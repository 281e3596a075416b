// The companion's press figure, over the virtual Pelko and a running pelkotray.exe:
//   pelko_companion_bench seed <memory file>   a configured memory whose three profiles carry
//                                              3, 7 and 12 wheel lines
//   pelko_companion_bench press <presses>      the mouse's profile button (pelko-device.exe
//                                              beside this program), each press timed from
//                                              the end of pelko-device to Windows' new wheel
//                                              lines; prints "companion.press_ms <ms>" each
//   pelko_companion_bench switch <rounds> <memory file>
//                                              this program linked to profile 2: its window
//                                              brought to the front, timed to the mouse's
//                                              memory naming profile 2 at address 6, then
//                                              bare_window.exe's in front until profile 1 is
//                                              back; prints "companion.switch_ms <ms>" each
// Windows' lines are read from where Windows stores them (the user profile's
// WheelScrollLines), which this process reads anew each time.
#include "sim/pelko_firmware.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kProfileAddress = 28;
constexpr int kProfileSize = 11;
constexpr uint8_t kWheelLines[3] = {3, 7, 12};
constexpr auto kPressTimeout = std::chrono::seconds(5);

int seed(const char* file) {
    FirmwareMemory memory = PelkoFirmware::factoryMemory();
    memory[0] = 12; // every profile had its factory choices: the window shows the records
    memory[1] = 3;
    memory[6] = 0;
    for (int i = 0; i < 3; ++i) {
        uint8_t* record = &memory[size_t(kProfileAddress + kProfileSize * i)];
        record[7] = 10;
        record[8] = uint8_t(i % 2);
        record[9] = kWheelLines[i];
    }
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
    return 0;
}

std::wstring storedWheelLines() {
    wchar_t text[16] = {};
    DWORD size = sizeof(text);
    ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WheelScrollLines", RRF_RT_REG_SZ,
                   nullptr, text, &size);
    return text;
}

bool pressProfileButton() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"pelko-device.exe";
    std::wstring command = L"\"" + exe + L"\" press profile";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return false;
    DWORD code = 1;
    ::WaitForSingleObject(info.hProcess, 30000);
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return code == 0;
}

int press(int presses) {
    // Lines no profile carries: the first press changes them too.
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 1, nullptr, SPIF_UPDATEINIFILE);
    int missed = 0;
    for (int i = 0; i < presses; ++i) {
        const std::wstring before = storedWheelLines();
        if (!pressProfileButton()) return 1;
        const auto pressed = std::chrono::steady_clock::now();
        while (storedWheelLines() == before) {
            if (std::chrono::steady_clock::now() - pressed > kPressTimeout) break;
            ::Sleep(2);
        }
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - pressed;
        if (storedWheelLines() == before)
            ++missed;
        else
            std::printf("companion.press_ms %.0f\n", took.count());
        ::Sleep(DWORD(std::rand() % 1000)); // the next press at another moment of the poll
    }
    std::printf("companion.press_missed %d\n", missed);
    return 0;
}

constexpr wchar_t kLinksKey[] = L"Software\\Glimmerhaus\\Pelko\\Companion\\Programs";
constexpr auto kSwitchTimeout = std::chrono::seconds(5);

int activeProfile(const char* memoryFile) {
    std::ifstream in(memoryFile, std::ios::binary);
    char bytes[8] = {};
    return in.read(bytes, sizeof(bytes)) ? uint8_t(bytes[6]) : -1;
}

// Milliseconds from `window` coming to the front to address 6 naming `offset`; -1 when it
// did not within the timeout.
double timeToProfile(HWND window, int offset, const char* memoryFile) {
    ::SetForegroundWindow(window);
    const auto start = std::chrono::steady_clock::now();
    while (activeProfile(memoryFile) != offset) {
        if (std::chrono::steady_clock::now() - start > kSwitchTimeout) return -1;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ::Sleep(5);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct ProcessWindow {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK matchProcessWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ProcessWindow*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && ::IsWindowVisible(window)) search->window = window;
    return search->window == nullptr;
}

int switchRounds(int rounds, const char* memoryFile) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const DWORD profile2 = 2;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kLinksKey, name.c_str(), REG_DWORD, &profile2,
                      sizeof(profile2));
    std::wstring bare = path.substr(0, path.find_last_of(L'\\') + 1) + L"bare_window.exe";
    std::wstring command = L"\"" + bare + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(bare.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info))
        return 1;
    ProcessWindow other{info.dwProcessId};
    for (int i = 0; i < 200 && !other.window; ++i) {
        ::Sleep(50);
        ::EnumWindows(matchProcessWindow, reinterpret_cast<LPARAM>(&other));
    }
    HWND own = ::CreateWindowExW(0, L"STATIC", L"Linked program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    int missed = 0;
    for (int i = 0; other.window && own && i < rounds; ++i) {
        timeToProfile(other.window, 0, memoryFile); // settled away from the link
        ::Sleep(DWORD(1500 + std::rand() % 500));   // at another moment of the look timer
        const double took = timeToProfile(own, 11, memoryFile);
        if (took < 0)
            ++missed;
        else
            std::printf("companion.switch_ms %.0f\n", took);
    }
    std::printf("companion.switch_missed %d\n", missed + (other.window && own ? 0 : rounds));
    ::DestroyWindow(own);
    ::TerminateProcess(info.hProcess, 0);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kLinksKey, name.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "seed" && argc > 2) return seed(argv[2]);
    if (mode == "press" && argc > 2) return press(std::atoi(argv[2]));
    if (mode == "switch" && argc > 3) return switchRounds(std::atoi(argv[2]), argv[3]);
    std::fprintf(stderr, "usage: pelko_companion_bench seed <memory file> | press <presses> | "
                         "switch <rounds> <memory file>\n");
    return 2;
}
