// The main window's timers: the device watch, the release of toggled push buttons and the
// sensitivity detent.
#include "app/main_dialog.h"

#include "device/device_requests.h"

namespace {

using namespace layout::id;
using layout::timer::kDeviceWatch;
using layout::timer::kReleaseButtons;

constexpr int kNoStage = 0xFF;
constexpr DWORD kApplyReleaseSleepMs = 100;
// Push-like buttons whose check a click leaves set, in the order they are released.
constexpr int kReleasedButtons[] = {kMinimise,    kMainTab,       kOptionsTab,
                                    kProductLink, kDownloadsLink, kSupportLink};

} // namespace

LRESULT CPELKOmouseDlg::OnTimer(WPARAM wParam, LPARAM) {
    switch (wParam) {
    case kDeviceWatch:
        if (!currentDevice || !hasOpenHandle(*currentDevice)) {
            KillTimer(kDeviceWatch);
            MessageBox(L"No Glimmerhaus Pelko detected!", L"Error", MB_OK);
            ::PostQuitMessage(0);
            return 0;
        }
        if (!watchDevice()) return 0;
        break;
    case kReleaseButtons:
        releaseToggledButtons();
        break;
    case layout::timer::kSensitivityDetent:
        sensitivityDetent();
        break;
    default:
        break;
    }
    return Default();
}

// One poll a second follows what the mouse's own buttons changed: its active profile and its
// CPI stage. A lost device is reported at the next tick.
// False when the answer could not be read: the tick ends without the default processing.
bool CPELKOmouseDlg::watchDevice() {
    WatchReply reply = sendWatchRequest(*currentDevice);
    if (reply.outcome == WatchOutcome::NoReply) return false;
    if (reply.outcome != WatchOutcome::Answered) return true;
    if (reply.activeProfile != lastSeenProfile) {
        lastSeenProfile = reply.activeProfile;
        int profile = reply.activeProfile;
        int buttonId = profile == 0    ? kProfile1
                       : profile == 11 ? kProfile2
                       : profile == 22 ? kProfile3
                                       : 0;
        if (profile != currentProfile && buttonId) switchProfile(buttonId);
    }
    if (reply.cpiStage != lastSeenStage) {
        int previous = lastSeenStage;
        lastSeenStage = reply.cpiStage;
        if (skinLibrary && previous != kNoStage) markActiveCpiList(reply.cpiStage);
    }
    return true;
}

// A press on the list of the stage's preset (it opens that list), a release on the other.
void CPELKOmouseDlg::markActiveCpiList(int stage) {
    int pressed = stage == 1 || stage == 3 ? kCpi1List : stage == 2 || stage == 4 ? kCpi2List : 0;
    if (!pressed) return;
    int released = pressed == kCpi1List ? kCpi2List : kCpi1List;
    LPARAM corner = MAKELPARAM(1, 1);
    list(released).SendMessage(WM_LBUTTONUP, 0, corner);
    list(pressed).SendMessage(WM_LBUTTONDOWN, 0, corner);
}

void CPELKOmouseDlg::releaseToggledButtons() {
    if (button(kApply).GetCheck()) {
        button(kApply).EnableWindow(TRUE);
        ::Sleep(kApplyReleaseSleepMs);
        button(kApply).SetCheck(0);
        KillTimer(kReleaseButtons);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    for (int id : kReleasedButtons) {
        if (!button(id).GetCheck()) continue;
        button(id).SetCheck(0);
        KillTimer(kReleaseButtons);
    }
}

// The middle of the scale snaps to 10.5, 100 ms after each slider notification. The move
// notifies again and re-arms this timer, which is killed right after it.
void CPELKOmouseDlg::sensitivityDetent() {
    if (inSensitivityDetent(slider(kSensitivity).GetPos()))
        slider(kSensitivity).SetPos(kSensitivityDetent);
    KillTimer(layout::timer::kSensitivityDetent);
}
