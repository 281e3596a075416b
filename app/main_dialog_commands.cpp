// The main window's message map and its commands: option groups, profiles, Apply, OK,
// Cancel, minimise and the links.
#include "app/main_dialog.h"

#include "app/web_pages.h"
#include "controls/control_messages.h"
#include "framework/critical_section.h"
#include "pointer/pointer_settings.h"

namespace {

using namespace layout::id;
using layout::timer::kDeviceWatch;
using layout::timer::kReleaseButtons;

constexpr UINT kReleaseButtonsMs = 400;
constexpr UINT kReleaseAfterLinkMs = 200;
constexpr UINT kDetentDelayMs = 100;

// Buttons of which exactly one is checked; a click checks the one clicked.
struct OptionGroup {
    int first, last;
};
constexpr OptionGroup kOptionGroups[] = {
    {kRate125, kRate1000}, {kSwapOn, kSwapOff}, {kAccelerationOn, kAccelerationOff}};

int commandId(WPARAM wParam) {
    return LOWORD(wParam);
}

void setCursor(LPCWSTR cursor) {
    ::SetCursor(::LoadCursorW(nullptr, cursor));
}

} // namespace

BEGIN_MESSAGE_MAP(CPELKOmouseDlg, CDialog)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
ON_COMMAND(kClose, OnClose)
ON_COMMAND(kMinimise, OnMinimise)
ON_COMMAND(kOk, OnOkCommand)
ON_COMMAND(kCancel, OnCancelCommand)
ON_COMMAND(kApply, OnApply)
ON_COMMAND(kWheel, OnWheelSlider)
ON_COMMAND(kSensitivity, OnSensitivitySlider)
ON_COMMAND_RANGE(kProfile1, kProfile3, OnProfileButton)
ON_COMMAND_RANGE(kRate125, kRate1000, OnOptionButton)
ON_COMMAND_RANGE(kSwapOn, kSwapOff, OnOptionButton)
ON_COMMAND_RANGE(kAccelerationOn, kAccelerationOff, OnOptionButton)
ON_COMMAND_RANGE(kMainTab, kOptionsTab, OnPageTab)
ON_COMMAND(kProductLink, OnLink)
ON_COMMAND(kDownloadsLink, OnLink)
ON_COMMAND(kSupportLink, OnLink)
ON_MESSAGE(UWM_COMBO_SELCHANGE, OnComboSelChange)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_CAPTURECHANGED, OnDefault)
ON_MESSAGE(WM_RBUTTONUP, OnDefault)
END_MESSAGE_MAP()

LRESULT CPELKOmouseDlg::OnClose(WPARAM, LPARAM) {
    OnCancel();
    return 0;
}

LRESULT CPELKOmouseDlg::OnMinimise(WPARAM, LPARAM) {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SetTimer(kReleaseButtons, kReleaseButtonsMs);
    return 0;
}

LRESULT CPELKOmouseDlg::OnOkCommand(WPARAM, LPARAM) {
    OnOK();
    return 0;
}

LRESULT CPELKOmouseDlg::OnCancelCommand(WPARAM, LPARAM) {
    OnCancel();
    return 0;
}

LRESULT CPELKOmouseDlg::OnWheelSlider(WPARAM, LPARAM) {
    button(kOnePage).SetCheck(0);
    return 0;
}

LRESULT CPELKOmouseDlg::OnSensitivitySlider(WPARAM, LPARAM) {
    SetTimer(layout::timer::kSensitivityDetent, kDetentDelayMs);
    return 0;
}

LRESULT CPELKOmouseDlg::OnOptionButton(WPARAM wParam, LPARAM) {
    int clicked = commandId(wParam);
    for (const OptionGroup& group : kOptionGroups) {
        if (clicked < group.first || clicked > group.last) continue;
        for (int id = group.first; id <= group.last; ++id)
            button(id).SetCheck(id == clicked ? 1 : 0);
    }
    return 0;
}

LRESULT CPELKOmouseDlg::OnProfileButton(WPARAM wParam, LPARAM) {
    switchProfile(commandId(wParam));
    return 0;
}

// Stores what the controls show into the profile being left, then shows (or gives its
// factory choices to) the new one. Nothing reaches the mouse before Apply or OK.
void CPELKOmouseDlg::switchProfile(int buttonId) {
    collectPanelValues();
    storeCurrentProfile();
    int offset = (buttonId - kProfile1) * 11;
    if (!applyProfileDefaults(offset)) showProfile(offset);
    for (int id = kProfile1; id <= kProfile3; ++id)
        if (id != buttonId) button(id).SetCheck(0);
    currentProfile = offset;
}

LRESULT CPELKOmouseDlg::OnPageTab(WPARAM wParam, LPARAM) {
    switchPage(commandId(wParam) == kMainTab ? layout::Page::Main : layout::Page::Options);
    return 0;
}

LRESULT CPELKOmouseDlg::OnLink(WPARAM wParam, LPARAM) {
    openWebPage(m_hWnd, commandId(wParam));
    SetTimer(kReleaseButtons, kReleaseAfterLinkMs);
    return 0;
}

LRESULT CPELKOmouseDlg::OnComboSelChange(WPARAM, LPARAM) {
    return 0;
}

LRESULT CPELKOmouseDlg::OnDefault(WPARAM, LPARAM) {
    return Default();
}

// The pointer settings go to Windows; the values they fix go into the panel.
void CPELKOmouseDlg::applyPointerControls() {
    PointerControls controls;
    controls.accelerationOn = button(kAccelerationOn).GetCheck() != 0;
    controls.sensitivity = slider(kSensitivity).GetPos();
    controls.wheel = slider(kWheel).GetPos();
    controls.onePage = button(kOnePage).GetCheck() != 0;
    AppliedPointerValues applied = applyPointerSettings(controls);
    panelValues.acceleration = applied.acceleration;
    panelValues.wheelLines = applied.wheelLines;
    panelValues.onePage = applied.onePage;
}

// The write selects the profile shown on the mouse: the watch must not take that change for a
// press of the mouse's profile button and pull the window back to it after a switch.
void CPELKOmouseDlg::commit(CommitKind kind) {
    if (!currentDevice) return;
    commitSettings(*currentDevice, settings, panelValues, currentProfile, kind);
    lastSeenProfile = currentProfile;
}

LRESULT CPELKOmouseDlg::OnApply(WPARAM, LPARAM) {
    setCursor(IDC_WAIT);
    button(kApply).EnableWindow(FALSE);
    {
        CSingleLock lock(&applyLock, TRUE);
        if (!applyIdle) return 0;
        applyIdle = false;
        collectPanelValues();
        applyPointerControls();
        storeCurrentProfile();
        KillTimer(kDeviceWatch);
        commit(CommitKind::Apply);
        applyIdle = true;
    }
    SetTimer(kReleaseButtons, kReleaseButtonsMs);
    SetTimer(kDeviceWatch, layout::timer::kDeviceWatchMs);
    return 0;
}

// Writes like Apply but leaves addresses 2 and 4 as the mouse holds them, then ends the
// dialog; the watch is not restarted.
void CPELKOmouseDlg::OnOK() {
    setCursor(IDC_WAIT);
    {
        CSingleLock lock(&applyLock, TRUE);
        collectPanelValues();
        applyPointerControls();
        KillTimer(kDeviceWatch);
        storeCurrentProfile();
        commit(CommitKind::Ok);
        SetTimer(kReleaseButtons, kReleaseButtonsMs);
    }
    fontOf(layout::Font::Base).DeleteObject();
    setCursor(IDC_ARROW);
    CDialog::OnOK();
}

// Nothing is written; pointer settings an earlier Apply set stay in effect.
void CPELKOmouseDlg::OnCancel() {
    fontOf(layout::Font::Base).DeleteObject();
    CDialog::OnCancel();
}
