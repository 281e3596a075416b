// CCompanionApp: the application object of pelkotray.exe. One per user session: a second start
// ends at once (exit code 0) and changes nothing. It makes the hidden companion window and
// follows the mouse until the window is closed.
#pragma once

#include "companion/companion_window.h"
#include "companion/profile_follower.h"
#include "framework/win_app.h"

class CCompanionApp : public CWinApp {
  public:
    // FALSE (the process ends) for a second instance or a window that could not be made.
    BOOL InitInstance() override;

  private:
    ProfileFollower m_follower;
    CCompanionWnd m_window{m_follower, pollIntervalMs()};

    static UINT pollIntervalMs();
};

// Claims the session's one companion; false when another process holds it. The claim lasts as
// long as the process.
bool claimCompanionSession();
