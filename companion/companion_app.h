// CCompanionApp: the application object of pelkotray.exe. One per user session: a second start
// ends at once (exit code 0) and changes nothing. It makes the hidden companion window and
// follows the mouse, with its tray icon and on-screen display, until the window is closed
// (the menu's "Exit").
#pragma once

#include "companion/face/companion_face.h"
#include "companion/core/companion_window.h"
#include "companion/face/face_events.h"
#include "companion/links/program_linker.h"
#include "companion/core/profile_follower.h"
#include "framework/win_app.h"

#include <memory>

class CCompanionApp : public CWinApp {
  public:
    // FALSE (the process ends) for a second instance or a window that could not be made.
    BOOL InitInstance() override;

    // The message loop, then the tray icon removed whichever way the window ended.
    int Run() override;

  private:
    // The face over the window made: the tray icon and the hidden display.
    void startFace();

    FaceEvents m_faceEvents;
    ProfileFollower m_follower{&m_faceEvents};
    CCompanionWnd m_window{m_follower, pollIntervalMs()};
    ProgramLinker m_linker{m_follower};
    std::unique_ptr<CompanionFace> m_face;

    static UINT pollIntervalMs();
};

// Claims the session's one companion; false when another process holds it. The claim lasts as
// long as the process.
bool claimCompanionSession();
