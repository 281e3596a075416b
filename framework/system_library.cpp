#include "framework/system_library.h"

void restrictLibrarySearch() {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L""); // and no current directory for a search that asks for the old order
}

namespace {

DWORD lastErrorOr(DWORD fallback) {
    DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

} // namespace

SystemLibrary::SystemLibrary(const wchar_t* fileName)
    : m_fileName(fileName),
      m_module(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)),
      m_error(m_module ? ERROR_SUCCESS : lastErrorOr(ERROR_MOD_NOT_FOUND)) {}

FARPROC SystemLibrary::address(const char* exportName) {
    FARPROC found = m_module ? ::GetProcAddress(m_module, exportName) : nullptr;
    if (!found && m_error == ERROR_SUCCESS) m_error = lastErrorOr(ERROR_PROC_NOT_FOUND);
    return found;
}
