// The program links at work: the program in front settles, and the mouse goes to the profile
// linked to it; when an unlinked program settles, or the linked one ends, it goes back to the
// profile it had before the first switch, unless the mouse's own button chose another
// meanwhile. Built on the follower, which makes the switch; knows nothing of the face.
#pragma once

#include "companion/core/foreground_looks.h"
#include "companion/links/foreground_settle.h"
#include "companion/links/foreground_watch.h"
#include "companion/links/program_links.h"
#include "companion/core/profile_follower.h"

#include <optional>
#include <string>

class ProgramLinker : public ForegroundLooks {
  public:
    explicit ProgramLinker(ProfileFollower& follower) : m_follower(follower) {}

    // The foreground hook, posting `message` to `notify` at each change.
    void start(HWND notify, UINT message);
    // A look at the program in front (the hook's message, the look timer).
    void look() override;
    // The mouse has just been opened (the start, a plug, a resume, a window's end): the program
    // in front counts at once, and its link is carried out.
    void mouseOpened() override;
    // Whether the look timer is wanted: a link exists and the mouse is there.
    bool wantsLooks() const override;

    // The program the menu offers to link: the one in front now, else the last one that was.
    std::wstring programForMenu();
    // Links a program (0: unlinks it), and acts on it should it be in front.
    bool link(const std::wstring& fileName, int profile);
    const ProgramLinks& links() const { return m_links; }

  private:
    // What the program in front asks of the mouse, once per program that settles.
    void decide();
    void reconsider();

    // Where the mouse goes back to, and what tells that the user has chosen since.
    struct Hold {
        int returnTo;              // the profile offset active before the first switch
        int switchedTo;            // the offset the last switch chose
        unsigned buttonSelections; // the follower's count when it did
    };

    ProfileFollower& m_follower;
    ForegroundHook m_hook;
    ForegroundReader m_front;
    ForegroundSettle m_settle;
    ProcessWatch m_settledProcess;
    ProgramLinks m_links;
    std::wstring m_lastProgram;
    std::optional<Hold> m_hold;
    bool m_decided = true;
};
