// Code only from Windows' own folder: the process's DLL search restricted to it, and the DLLs
// the program takes functions from, loaded from there by full path.
#pragma once

#include <windows.h>

// SetDefaultDllDirectories, which Windows 7 has only with its 2011 loader update: taken from
// kernel32 at run time, never imported, so that the programs start without it.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD directoryFlags);
using DefaultDllDirectoriesLookup = SetDefaultDllDirectoriesFunction (*)();
// The look-up restrictLibrarySearch uses; a program may install another before its entry runs
// (a test that pretends the function is missing). Null puts kernel32's back.
void installDefaultDllDirectoriesLookup(DefaultDllDirectoriesLookup lookup);

// Takes the current directory out of every later DLL search and, where Windows has
// SetDefaultDllDirectories, restricts the search of this process and of the DLLs it loads to
// Windows' system folder (neither the program's folder nor PATH is searched). Without it the
// same guarantee holds for the program's own loads: SystemLibrary takes every DLL by its full
// path in the system folder. True when the search was restricted. The framework's wWinMain
// calls it before anything else.
bool restrictLibrarySearch();

// A DLL of Windows' system folder and the functions taken from it, loaded by its full path
// there (its own dependencies searched from there first). The library is loaded when the
// object is made and stays loaded for the process's life. error() is ERROR_SUCCESS while the
// library and every function taken were found, else the code of the first failure.
class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* fileName);

    // The library's export of that name (null, and the failure recorded, when it is missing).
    template <typename Function> void take(Function& function, const char* exportName) {
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(address(exportName)));
    }

    bool loaded() const { return m_error == ERROR_SUCCESS; }
    DWORD error() const { return m_error; }
    const wchar_t* fileName() const { return m_fileName; }

  private:
    FARPROC address(const char* exportName);

    const wchar_t* m_fileName;
    HMODULE m_module;
    DWORD m_error;
};
