// The pointer-hover state of a skinned control: the first move after a leave asks the system
// (TRACKMOUSEEVENT) for WM_MOUSEHOVER after 1 ms and for WM_MOUSELEAVE; the hover message sets
// the state and the leave message clears it and lets the next move ask again.
#pragma once
#include <windows.h>

class HoverTracker {
  public:
    // On WM_MOUSEMOVE over window.
    void OnMouseMove(HWND window);
    void OnHover() { m_hover = true; }
    void OnLeave() {
        m_tracking = false;
        m_hover = false;
    }
    bool IsHover() const { return m_hover; }

  private:
    bool m_hover = false;
    bool m_tracking = false; // a hover/leave request is pending
};
