// A visible top-level framework window that records the messages its children send it.
#pragma once
#include "framework/wnd.h"
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingParent : public CWnd {
  public:
    // A popup of the given client size at (x, y) on the screen, shown.
    explicit RecordingParent(int width = 600, int height = 400, int x = 50, int y = 50);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The messages recorded (WM_COMMAND and WM_USER and above), oldest first.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> only(UINT message) const;
    void clear() { messages.clear(); }
};
