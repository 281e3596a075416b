// The program entry of every framework program: restricts the DLL search to Windows' own
// folder before any other DLL is loaded, then runs the application object.
#include "framework/system_library.h"
#include "framework/win_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    restrictLibrarySearch();
    CWinApp* app = AfxGetApp();
    if (!app || !app->InitInstance()) return 0;
    return app->Run();
}
