// The program entry of every framework program: runs the application object.
#include "framework/win_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app || !app->InitInstance()) return 0;
    return app->Run();
}
