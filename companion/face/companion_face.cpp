#include "companion/face/companion_face.h"

#include "companion/core/companion_window.h"
#include "companion/face/companion_options.h"
#include "companion/face/own_program.h"
#include "companion/face/profiles_menu.h"
#include "companion/face/start_with_windows.h"
#include "framework/failed_library.h"
#include "framework/program_folder.h"

CompanionFace::CompanionFace(HWND owner, HICON trayIcon, HICON displayMark, UINT trayRetryMs)
    : m_owner(owner), m_trayIcon(trayIcon), m_displayMark(displayMark), m_trayRetryMs(trayRetryMs),
      m_tray(owner, kTrayIconId, kTrayCallbackMessage) {}

CompanionFace::~CompanionFace() {
    if (::IsWindow(m_owner)) ::KillTimer(m_owner, kTrayRetryTimer);
}

void CompanionFace::start(HMODULE skin) {
    // At logon Explorer may refuse the first add and announce no new taskbar afterwards: the
    // icon is tried again until it is there, so that the user can always reach Exit.
    if (!m_tray.add(m_trayIcon, trayTipNoMouse()))
        ::SetTimer(m_owner, kTrayRetryTimer, m_trayRetryMs, nullptr);
    m_display.CreateDisplay(skin, m_displayMark);
}

void CompanionFace::restoreTrayIcon() {
    if (m_tray.restore())
        ::KillTimer(m_owner, kTrayRetryTimer);
    else
        ::SetTimer(m_owner, kTrayRetryTimer, m_trayRetryMs, nullptr);
}

void CompanionFace::mouseFound(const MouseView& view) {
    m_tray.setTip(trayTipText(view));
}

void CompanionFace::mouseLost() {
    m_tray.setTip(trayTipNoMouse());
    m_display.Hide();
}

void CompanionFace::profileChanged(const MouseView& view) {
    m_tray.setTip(trayTipText(view));
    showOnDisplay(profileDisplayText(view));
}

void CompanionFace::profileSwitched(const MouseView& view, const std::wstring& program) {
    m_tray.setTip(trayTipText(view));
    showOnDisplay(switchDisplayText(view, program));
}

void CompanionFace::stageChanged(const MouseView& view) {
    m_tray.setTip(trayTipText(view));
    showOnDisplay(stageDisplayText(view));
}

// The switch is read at each change, so that a change from the menu counts at once.
void CompanionFace::showOnDisplay(const std::wstring& text) {
    if (onScreenDisplayEnabled()) m_display.Show(text);
}

bool CompanionFace::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == TrayIcon::taskbarCreatedMessage() ||
        (message == WM_TIMER && wParam == kTrayRetryTimer)) {
        restoreTrayIcon();
        result = 0;
        return true;
    }
    if (message != kTrayCallbackMessage) return false;
    switch (trayRequestOf(lParam)) {
    case TrayRequest::Menu: {
        TrayMenuState state = menuState();
        state.links = m_menuLinks = linkMenuState();
        runCommand(pickFromTrayMenu(m_owner, trayMenuAnchor(), state));
        break;
    }
    case TrayRequest::OpenSettings:
        runCommand(tray_command::kOpenSettings);
        break;
    case TrayRequest::None:
        break;
    }
    result = 0;
    return true;
}

TrayMenuState CompanionFace::menuState() {
    return TrayMenuState{onScreenDisplayEnabled(), startsWithWindows(programPath()), {}};
}

// The program named is the one in front before the menu takes the foreground.
LinkMenuState CompanionFace::linkMenuState() const {
    LinkMenuState state;
    if (!m_links) return state;
    const ProgramLinks links = readProgramLinks();
    state.program = m_links->programForMenu();
    state.programProfile = linkedProfile(links, state.program);
    state.links.assign(links.begin(), links.end());
    return state;
}

void CompanionFace::runCommand(UINT command) {
    if (const auto choice = linkChoiceOf(command, m_menuLinks)) {
        if (m_links) m_links->link(choice->first, choice->second);
        return;
    }
    switch (command) {
    case tray_command::kOpenSettings:
        if (!startSettingsProgram()) reportSettingsNotStarted(::GetLastError());
        break;
    case tray_command::kOnScreenDisplay: {
        const bool on = !onScreenDisplayEnabled();
        setOnScreenDisplayEnabled(on);
        if (!on) m_display.Hide();
        break;
    }
    case tray_command::kStartWithWindows:
        setStartWithWindows(!startsWithWindows(programPath()), programPath());
        break;
    case tray_command::kExit:
        exit();
        break;
    // The user asked for it: the confirmation shows even with the display switched off.
    case tray_command::kSaveProfiles:
        if (auto shown = saveProfilesFromMenu(m_owner)) m_display.Show(*shown);
        break;
    case tray_command::kRestoreProfiles:
        if (auto shown = restoreProfilesFromMenu(m_owner)) {
            // Read anew first: letting go of the mouse hides the display.
            ::SendMessageW(m_owner, kMouseRewrittenMessage, 0, 0);
            m_display.Show(*shown);
        }
        break;
    default:
        break;
    }
}

// A menu entry that does nothing would leave the user guessing: the box says why.
void CompanionFace::reportSettingsNotStarted(DWORD error) {
    const std::wstring text = std::wstring(L"Could not start ") + kSettingsProgramName +
                              L" from the folder\r\n" + programFolder() + L"\r\nError: " +
                              systemErrorText(error);
    ::MessageBoxW(m_owner, text.c_str(), L"Glimmerhaus Pelko", MB_OK | MB_ICONERROR);
}

void CompanionFace::exit() {
    ::KillTimer(m_owner, kTrayRetryTimer);
    m_display.Hide();
    m_tray.remove();
    ::DestroyWindow(m_owner);
}
