#include "tests/system/virtual_mouse.h"

#include "tests/support/program_process.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kStepTimeoutMs = 30000;

// The x86_64 build's bin/ beside this build's (build/win32/bin, build/win64/bin).
fs::path controlProgram() {
    return binFolder().parent_path().parent_path() / L"win64" / L"bin" / L"pelko-device.exe";
}

std::vector<uint8_t> hexBytes(const std::string& text) {
    std::vector<uint8_t> bytes;
    if (text.size() != 18) return bytes;
    for (size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

bool parseLine(const std::string& text, WireLine& line) {
    std::istringstream in(text);
    std::string request, reply;
    if (!(in >> line.index >> line.milliseconds >> request >> reply >> line.result)) return false;
    if (request.find_first_not_of("0123456789abcdef") != std::string::npos ||
        reply.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    line.request = hexBytes(request);
    line.reply = hexBytes(reply);
    return line.request.size() == 9 && line.reply.size() == 9;
}

} // namespace

bool VirtualMouse::run(const std::wstring& arguments) {
    const fs::path exe = controlProgram();
    std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
        std::fprintf(stderr, "pelko-device %ls: not started (error %lu)\n", arguments.c_str(),
                     ::GetLastError());
        return false;
    }
    DWORD code = 1;
    const DWORD waited = ::WaitForSingleObject(info.hProcess, kStepTimeoutMs);
    if (waited == WAIT_OBJECT_0)
        ::GetExitCodeProcess(info.hProcess, &code);
    else
        ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    // A failed step says why, so that a red run can be told from a slow or a crashed one.
    if (code != 0)
        std::fprintf(stderr, "pelko-device %ls: %s %#lx\n", arguments.c_str(),
                     waited == WAIT_OBJECT_0 ? "ended with" : "did not end in time, wait result",
                     waited == WAIT_OBJECT_0 ? code : waited);
    return code == 0;
}

bool VirtualMouse::plug(const fs::path& memoryFile, const fs::path& wireLog) {
    return run(L"plug \"" + memoryFile.wstring() + L"\" \"" + wireLog.wstring() + L"\"");
}

bool VirtualMouse::unplug() {
    return run(L"unplug");
}

bool VirtualMouse::pressCpiButton() {
    return run(L"press cpi");
}

bool VirtualMouse::pressProfileButton() {
    return run(L"press profile");
}

bool VirtualMouse::setFault(const wchar_t* name, unsigned value) {
    return run(std::wstring(L"fault ") + name + L" " + std::to_wstring(value));
}

bool VirtualMouse::refuseCommands(const std::vector<uint8_t>& commands) {
    std::wstring arguments = L"refuse";
    wchar_t code[8];
    for (uint8_t command : commands) {
        swprintf(code, 8, L" %02x", unsigned(command));
        arguments += code;
    }
    return run(arguments);
}

bool VirtualMouse::clearFaults() {
    return run(L"clear-faults");
}

std::vector<WireLine> readWireLog(const fs::path& file, int* malformed) {
    std::vector<WireLine> lines;
    int bad = 0;
    std::ifstream in(file);
    for (std::string text; std::getline(in, text);) {
        WireLine line;
        if (parseLine(text, line))
            lines.push_back(line);
        else
            ++bad;
    }
    if (malformed) *malformed = bad;
    return lines;
}
