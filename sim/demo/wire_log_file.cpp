#include "sim/demo/wire_log_file.h"

#include "sim/demo/wire_log_line.h"
#include "sim/sim_environment.h"

#include <chrono>

WireLogFile::~WireLogFile() {
    if (isOpen()) ::CloseHandle(m_file);
}

std::wstring WireLogFile::configuredPath() {
    return simEnvironmentVariable(L"PELKO_SIM_WIRELOG");
}

bool WireLogFile::open(const std::wstring& path) {
    if (isOpen()) ::CloseHandle(m_file);
    // Readers may look at the file while the program runs.
    m_file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!isOpen()) {
        const std::wstring text = L"Simulated mouse: wire log " + path + L" cannot be opened\r\n";
        ::OutputDebugStringW(text.c_str());
    }
    return isOpen();
}

void WireLogFile::catchUp(const std::vector<WireExchange>& log) {
    if (!isOpen() || m_written >= int(log.size())) return;
    std::string lines;
    for (; m_written < int(log.size()); ++m_written) {
        const WireExchange& exchange = log[size_t(m_written)];
        const auto since =
            std::chrono::duration_cast<std::chrono::milliseconds>(exchange.at - log.front().at);
        lines += wireLogLine(m_written, since.count(), exchange);
    }
    DWORD written = 0;
    ::WriteFile(m_file, lines.data(), DWORD(lines.size()), &written, nullptr);
}
