// CWinApp: the one application object; the framework's wWinMain runs its InitInstance.
#pragma once
#include "framework/wnd.h"

class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the process at once; TRUE runs a message loop until WM_QUIT.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
