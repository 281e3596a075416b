// CPELKOmouseApp: the application object. It loads the system libraries the program takes
// functions from (a missing one ends the program), makes its presence known to the companion
// for as long as the process runs, prepares the common controls, leaves the start-up marker
// in the registry, tells the companion program, runs the main window as a modal dialog and
// then ends the process.
#pragma once

#include "framework/win_app.h"

class CPELKOmouseApp : public CWinApp {
  public:
    // Always FALSE: the process ends when the dialog has ended.
    BOOL InitInstance() override;
};

// Loads hid.dll and msimg32.dll from Windows' own folder; when one of them, or a function the
// program takes from it, is missing, shows the "Failed" box naming it and returns false.
bool systemLibrariesLoaded();

// HKEY_CURRENT_USER "Control Panel\PELKOmouse\Profile1"; "Language" = 9 is stored there.
inline constexpr wchar_t kStartUpKey[] = L"Control Panel\\PELKOmouse\\Profile1";

// Opens (creating it when absent) the profile-1 key and stores "Language" = 9 in it; false
// when the key could not be opened.
bool storeStartUpMarker();

// How long the companion may take to answer each message.
inline constexpr UINT kCompanionWaitMs = 2000;

// Sends WM_USER + code to the companion's window, when it exists, and waits for the answer
// (at most kCompanionWaitMs, and not at all for a hung companion).
void notifyCompanion(UINT code);
