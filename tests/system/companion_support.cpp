#include "tests/system/companion_support.h"

#include "sim/pelko_firmware.h"
#include "tests/support/program_process.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Record {
    uint8_t cpi1, cpi2, rate, swap, speed, acceleration, wheel;
};

} // namespace

std::vector<uint8_t> seededMemory() {
    const FirmwareMemory factory = PelkoFirmware::factoryMemory();
    std::vector<uint8_t> memory(factory.begin(), factory.end());
    memory[0] = 12;
    memory[1] = 3;
    memory[6] = 0;
    memory[7] = 1;
    const Record records[3] = {
        {8, 16, 2, 0, 12, 1, 7}, {32, 64, 1, 1, 5, 0, 12}, {16, 32, 8, 0, 0, 2, 0}};
    for (int i = 0; i < 3; ++i) {
        const Record& r = records[i];
        const uint8_t bytes[] = {r.cpi1, r.cpi2, r.cpi1, r.cpi2};
        uint8_t* at = &memory[size_t(28 + 11 * i)];
        std::copy(std::begin(bytes), std::end(bytes), at);
        at[5] = r.rate, at[6] = r.swap, at[7] = r.speed, at[8] = r.acceleration, at[9] = r.wheel;
    }
    return memory;
}

void writeMemoryFile(const fs::path& file, const std::vector<uint8_t>& memory) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
}

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

namespace {

long long nowMs() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return static_cast<long long>(uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000;
}

} // namespace

int windowsPointerAfter(DWORD delayMs) {
    const fs::path exe = binFolder() / L"windows_pointer_reader.exe";
    std::wstring command = L"\"" + exe.wstring() + L"\" " + std::to_wstring(nowMs() + delayMs);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return -1;
    DWORD code = DWORD(-1);
    if (::WaitForSingleObject(info.hProcess, kExchangeTimeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return int(code);
}

void setWindowsPointer(bool accelerationOn, UINT lines) {
    int mouse[3] = {6, 10, 1}, off[3] = {0, 0, 0};
    ::SystemParametersInfoW(SPI_SETMOUSE, 0, accelerationOn ? mouse : off, SPIF_UPDATEINIFILE);
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_UPDATEINIFILE);
}

bool isWatch(const WireLine& line) {
    return line.command() == 'D' && line.payload(0) == 6;
}

bool isStartUpAt(const std::vector<WireLine>& lines, size_t at) {
    if (at + kStartUpExchanges > lines.size()) return false;
    for (size_t i = 0; i < kStartUpExchanges; ++i) {
        const WireLine& line = lines[at + i];
        const bool expected = i < 6    ? line.command() == 1 + i
                              : i < 15 ? line.command() == 0x10 + (i - 6)
                              : i < 16 ? line.command() == 0x22
                                       : line.command() == 'D' && line.payload(0) == 5 * (i - 16);
        if (!expected) return false;
    }
    return true;
}
