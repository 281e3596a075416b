// The parent window of the tests' controls: a popup framework window that records the
// messages its children send it (WM_COMMAND and WM_USER and above). Like the program's dialog
// it paints its client area in one solid colour, without WS_CLIPCHILDREN, so that the
// controls' background snapshots hold a known colour. Shown::Later creates it hidden, as the
// dialog is while its controls are made: show() then paints the parent before them (a visible
// system button erases itself when it is created). An optional hook sees each WM_COMMAND as it
// arrives, before the sender goes on.
#pragma once
#include "framework/wnd.h"
#include <functional>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingParent : public CWnd {
  public:
    enum class Shown { Now, Later };
    static constexpr COLORREF kDefaultColour = RGB(30, 160, 90);

    // A popup of the given screen rectangle (its client area).
    explicit RecordingParent(Shown shown = Shown::Now, RECT screen = {40, 40, 640, 440},
                             COLORREF background = kDefaultColour);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows the parent without activating it and paints it and its children.
    void show();

    // The messages recorded, oldest first.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> only(UINT message) const;
    void clear() { messages.clear(); }

    COLORREF colour;
    std::function<void(WPARAM, LPARAM)> onCommand;
};
