#include "tests/support/beside_program.h"
#include <windows.h>

std::wstring besideProgram(const std::wstring& file) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}
