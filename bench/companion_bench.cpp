// The companion's press figure, over the virtual Pelko and a running pelkotray.exe:
//   pelko_companion_bench seed <memory file>   a configured memory whose three profiles carry
//                                              3, 7 and 12 wheel lines
//   pelko_companion_bench press <presses>      the mouse's profile button (pelko-device.exe
//                                              beside this program), each press timed from
//                                              the end of pelko-device to Windows' new wheel
//                                              lines; prints "companion.press_ms <ms>" each
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

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "seed" && argc > 2) return seed(argv[2]);
    if (mode == "press" && argc > 2) return press(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: pelko_companion_bench seed <memory file> | press <presses>\n");
    return 2;
}
