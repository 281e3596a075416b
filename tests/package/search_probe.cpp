// A program on the framework's entry, as every program we ship: it loads hid.dll by its bare
// name, as a careless library would, and ends with 0 when one was loaded.
#include "framework/win_app.h"

class SearchProbe : public CWinApp {
    BOOL InitInstance() override { ::ExitProcess(::LoadLibraryW(L"hid.dll") ? 0 : 1); }
};

SearchProbe theApp;
