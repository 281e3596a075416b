#include "sim/sim_memory_file.h"

#include "sim/sim_environment.h"

#include <windows.h>

namespace {

constexpr wchar_t kPathVariable[] = L"PELKO_SIM_MEMORY";
constexpr wchar_t kDefaultFileName[] = L"pelko-sim-memory.bin";
constexpr DWORD kLongestPath = 32768; // the longest path Windows knows, with its terminator

// The running program's full path; the buffer grows until the path fits.
std::wstring runningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= kLongestPath) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

std::wstring folderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

void tellDebugger(const std::wstring& path, const wchar_t* what) {
    const std::wstring text = L"Simulated mouse: memory file " + path + L" " + what + L"\r\n";
    ::OutputDebugStringW(text.c_str());
}

bool isAbsent(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

std::wstring simMemoryFilePath() {
    const std::wstring chosen = simEnvironmentVariable(kPathVariable);
    if (!chosen.empty()) return chosen;
    return folderOf(runningProgramPath()) + kDefaultFileName;
}

std::optional<SimMemory> readSimMemoryFile(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (!isAbsent(::GetLastError())) {
            tellDebugger(path, L"cannot be read; starting on the factory memory");
        }
        return std::nullopt;
    }
    SimMemory image{};
    LARGE_INTEGER size{};
    DWORD read = 0;
    const bool sized = ::GetFileSizeEx(file, &size) && size.QuadPart == LONGLONG(image.size());
    const bool complete = sized &&
                          ::ReadFile(file, image.data(), DWORD(image.size()), &read, nullptr) &&
                          read == image.size();
    ::CloseHandle(file);
    if (complete) return image;
    tellDebugger(path, sized ? L"cannot be read; starting on the factory memory"
                             : L"does not hold 130 bytes; starting on the factory memory");
    return std::nullopt;
}

bool writeSimMemoryFile(const std::wstring& path, const SimMemory& memory) {
    const std::wstring temporary = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        tellDebugger(path, L"cannot be saved");
        return false;
    }
    DWORD written = 0;
    bool saved = ::WriteFile(file, memory.data(), DWORD(memory.size()), &written, nullptr) &&
                 written == memory.size() && ::FlushFileBuffers(file);
    saved = ::CloseHandle(file) && saved;
    saved = saved && ::MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!saved) {
        ::DeleteFileW(temporary.c_str());
        tellDebugger(path, L"cannot be saved");
    }
    return saved;
}
