#include "controls/hover_tracker.h"
#include <commctrl.h>

namespace {

constexpr DWORD kHoverTimeMs = 1;

} // namespace

void HoverTracker::OnMouseMove(HWND window) {
    if (m_tracking) return;
    TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, window, kHoverTimeMs};
    m_tracking = _TrackMouseEvent(&track) != FALSE;
}
