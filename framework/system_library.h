// Code only from Windows' own folder: the process's DLL search restricted to it, and the DLLs
// the program takes functions from, loaded from there by name.
#pragma once

#include <windows.h>

// Restricts every later DLL search of this process, and that of the DLLs it loads, to Windows'
// system folder: neither the program's folder nor the current directory nor PATH is searched.
// The framework's wWinMain calls it before anything else.
void restrictLibrarySearch();

// A DLL of Windows' system folder and the functions taken from it. The library is loaded when
// the object is made and stays loaded for the process's life. error() is ERROR_SUCCESS while
// the library and every function taken were found, else the code of the first failure.
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
