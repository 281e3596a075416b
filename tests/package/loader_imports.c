/* Imports the loader functions Windows 7 lacks without its 2011 loader update, as pelkocfg.exe
   once imported SetDefaultDllDirectories: the import check must refuse it. */
#include <windows.h>

int main(void) {
    DLL_DIRECTORY_COOKIE cookie = AddDllDirectory(L"C:\\");
    RemoveDllDirectory(cookie);
    return SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) ? 0 : 1;
}
