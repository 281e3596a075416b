#include "framework/system_library.h"

#include <string>

namespace {

SetDefaultDllDirectoriesFunction kernelSetDefaultDllDirectories() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

DefaultDllDirectoriesLookup g_lookup = kernelSetDefaultDllDirectories;

DWORD lastErrorOr(DWORD fallback) {
    DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

// Windows' system folder, without a trailing separator; empty when it is not known.
std::wstring systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length);
}

HMODULE loadSystemLibrary(const wchar_t* fileName) {
    const std::wstring folder = systemFolder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + L"\\" + fileName;
    // The altered search order starts at the library's own folder for its dependencies; it
    // needs no loader update (the LOAD_LIBRARY_SEARCH_* flags would).
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

void installDefaultDllDirectoriesLookup(DefaultDllDirectoriesLookup lookup) {
    g_lookup = lookup ? lookup : kernelSetDefaultDllDirectories;
}

bool restrictLibrarySearch() {
    // No current directory in a search that asks for the old order, or where the restriction
    // cannot be had: the system folder takes its place. (An empty directory would take it out
    // on Windows too, but Wine ignores an empty one.)
    const std::wstring system = systemFolder();
    ::SetDllDirectoryW(system.c_str());
    const SetDefaultDllDirectoriesFunction setDefault = g_lookup();
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

SystemLibrary::SystemLibrary(const wchar_t* fileName)
    : m_fileName(fileName), m_module(loadSystemLibrary(fileName)),
      m_error(m_module ? ERROR_SUCCESS : lastErrorOr(ERROR_MOD_NOT_FOUND)) {}

FARPROC SystemLibrary::address(const char* exportName) {
    FARPROC found = m_module ? ::GetProcAddress(m_module, exportName) : nullptr;
    if (!found && m_error == ERROR_SUCCESS) m_error = lastErrorOr(ERROR_PROC_NOT_FOUND);
    return found;
}
