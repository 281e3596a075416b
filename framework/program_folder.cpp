#include "framework/program_folder.h"

std::wstring programPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0) return {};
    if (length >= MAX_PATH) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return {};
    }
    return std::wstring(path, length);
}

std::wstring programFolder() {
    const std::wstring program = programPath();
    if (program.empty()) return {};
    const size_t separator = program.find_last_of(L'\\');
    if (separator == std::wstring::npos) {
        ::SetLastError(ERROR_BAD_PATHNAME);
        return {};
    }
    return program.substr(0, separator + 1);
}
