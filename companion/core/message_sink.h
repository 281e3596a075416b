// Where the companion's window sends the messages it does not handle itself (the tray icon's,
// the taskbar's return): the face, which the window knows only through this.
#pragma once

#include <windows.h>

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // True (result set) when the message was the sink's.
    virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};
