// A program on the framework's entry, as every program we ship. Without an argument it loads
// hid.dll by its bare name, as a careless library would, and ends with 0 when one was loaded.
// With "without-default-directories" in its command line (its file name will do) it starts as
// on a Windows without SetDefaultDllDirectories, loads hid.dll and msimg32.dll as the programs
// do and ends with 0 when both came from the system folder and a library only the current
// directory holds (pelko_planted.dll) was not found; another code says what went wrong.
#include "framework/system_library.h"
#include "framework/win_app.h"

#include <cwchar>
#include <string>

namespace {

bool g_withoutDefaultDirectories =
    std::wcsstr(::GetCommandLineW(), L"without-default-directories") != nullptr;
bool g_lookedUp = false;

SetDefaultDllDirectoriesFunction missing() {
    g_lookedUp = true;
    return nullptr;
}

// Installed before the framework's entry restricts the search.
const bool g_installed =
    g_withoutDefaultDirectories && (installDefaultDllDirectoriesLookup(missing), true);

bool fromSystemFolder(const wchar_t* library) {
    wchar_t folder[MAX_PATH] = {}, file[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    HMODULE module = ::GetModuleHandleW(library);
    if (!module || !::GetModuleFileNameW(module, file, MAX_PATH)) return false;
    return ::CompareStringOrdinal(file, int(length), folder, int(length), TRUE) == CSTR_EQUAL &&
           file[length] == L'\\';
}

int withoutDefaultDirectories() {
    if (!g_installed || !g_lookedUp) return 2; // the entry did not ask the look-up
    for (const wchar_t* name : {L"hid.dll", L"msimg32.dll"}) {
        SystemLibrary library(name);
        if (!library.loaded() || !fromSystemFolder(name)) return 3;
    }
    if (::LoadLibraryW(L"pelko_planted.dll")) return 4; // the current directory was searched
    return 0;
}

} // namespace

class SearchProbe : public CWinApp {
    BOOL InitInstance() override {
        if (g_withoutDefaultDirectories) ::ExitProcess(UINT(withoutDefaultDirectories()));
        ::ExitProcess(::LoadLibraryW(L"hid.dll") ? 0 : 1);
    }
};

SearchProbe theApp;
