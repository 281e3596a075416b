// The companion's face over its hidden window: the tray icon with its tooltip and menu, the
// on-screen display, and the user's choices behind the menu (the display switch, "Start with
// Windows", the settings program, Exit). The companion hands it what the mouse does and the
// messages it does not handle itself; the face holds no state of the mouse beyond its tooltip.
#pragma once

#include "companion/face/face_texts.h"
#include "companion/links/program_linker.h"
#include "companion/core/message_sink.h"
#include "companion/face/on_screen_display.h"
#include "companion/face/tray_icon.h"
#include "companion/face/tray_menu.h"

#include <windows.h>

// The tray icon's callback message to the companion's window.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
inline constexpr UINT kTrayIconId = 1;
// The owner window's timer that tries a refused tray icon again (the companion's window uses
// ids 1 to 4 for its own), and how often.
inline constexpr UINT_PTR kTrayRetryTimer = 5;
inline constexpr UINT kTrayRetryMs = 3000;

class CompanionFace : public MessageSink {
  public:
    // `owner` is the companion's window: it receives the tray icon's messages, and the menu's
    // Exit destroys it. The program's icon at the taskbar's small size, and at 32 x 32 for the
    // display's mark. A tray icon the taskbar refuses is tried again every `trayRetryMs`.
    CompanionFace(HWND owner, HICON trayIcon, HICON displayMark, UINT trayRetryMs = kTrayRetryMs);
    ~CompanionFace();
    CompanionFace(const CompanionFace&) = delete;
    CompanionFace& operator=(const CompanionFace&) = delete;

    // Adds the tray icon ("no mouse"; refused, it is tried again until the taskbar takes it)
    // and makes the hidden display with the skin's look.
    void start(HMODULE skin);
    // The skin of the mouse that was found, for the display from now on.
    void setSkin(HMODULE skin) { m_display.SetSkin(skin); }
    // The program links the menu offers and changes.
    void setProgramLinks(ProgramLinker* links) { m_links = links; }

    // Where the mouse stands, without a display: found, or lost.
    void mouseFound(const MouseView& view);
    void mouseLost();
    // The mouse's own buttons changed its profile, or its CPI stage: the tooltip follows and
    // the display shows it, when switched on.
    void profileChanged(const MouseView& view);
    void stageChanged(const MouseView& view);
    // A program link switched the profile: as a profile change, the display naming the program.
    void profileSwitched(const MouseView& view, const std::wstring& program);

    // The owner's messages for the face: the tray icon's callback, the taskbar's return and
    // the face's timer.
    // True (result set) when the message was the face's.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Carries out a menu command (tray_command::…).
    void runCommand(UINT command);
    // The menu's check marks as the registry holds them now.
    static TrayMenuState menuState();

    COnScreenDisplay& display() { return m_display; }
    const TrayIcon& trayIcon() const { return m_tray; }

  private:
    // Puts the icon into the taskbar, or keeps the retry timer running until it is there.
    void restoreTrayIcon();
    void showOnDisplay(const std::wstring& text);
    void reportSettingsNotStarted(DWORD error);
    void exit();
    LinkMenuState linkMenuState() const;

    HWND m_owner;
    HICON m_trayIcon;
    HICON m_displayMark;
    UINT m_trayRetryMs;
    TrayIcon m_tray;
    COnScreenDisplay m_display;
    ProgramLinker* m_links = nullptr;
    LinkMenuState m_menuLinks; // what the menu last offered
};
