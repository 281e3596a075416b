// CSimPanel: the demo's "Simulated Pelko" panel, an ordinary tool window of system controls
// that stands in for the hardware: the mouse's two buttons, the cable, a factory reset of its
// memory, the firmware's live state and the last exchanges of the wire log. It lives on the
// user-interface thread beside the main window; the main window's modal loop dispatches its
// messages like any other window's.
#pragma once

#include "framework/font.h"
#include "framework/wnd.h"
#include "sim/demo/firmware_state_text.h"
#include "sim/demo/wire_log_file.h"
#include "sim/sim_bus.h"

class CSimPanel : public CWnd {
  public:
    // Control ids.
    static constexpr int kCpiButton = 101;
    static constexpr int kProfileButton = 102;
    static constexpr int kCableButton = 103; // "Unplug" / "Plug in"
    static constexpr int kResetButton = 104;
    static constexpr int kProfileValue = 111;
    static constexpr int kStageValue = 112;
    static constexpr int kRateValue = 113;
    static constexpr int kSwapValue = 114;
    static constexpr int kExchangeGroup = 120;
    static constexpr int kExchangeList = 121;
    static constexpr int kExchangeCount = 122; // "<n> exchanges" on the group's title line

    static constexpr int kShownExchanges = 12;
    static constexpr UINT kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 250;

    // The wire log file may be closed: then only the panel shows the exchanges.
    CSimPanel(SimHidBus& bus, WireLogFile& wireLogFile);
    DECLARE_MESSAGE_MAP()

    // Creates the panel with its top-left corner at (x, y) and starts the refresh timer.
    bool CreatePanel(int x, int y, bool shown);
    // Brings the state, the list and the wire log file up to date with the bus; touches no
    // control when nothing changed.
    void Refresh();

  protected:
    LRESULT OnCpiButton(WPARAM, LPARAM);
    LRESULT OnProfileButton(WPARAM, LPARAM);
    LRESULT OnCableButton(WPARAM, LPARAM);
    LRESULT OnResetButton(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);

  private:
    HWND addControl(const wchar_t* className, const wchar_t* text, DWORD style, RECT rect, int id);
    void buildControls();
    void showState(const FirmwareStateText& state);
    void showExchanges();

    SimHidBus& m_bus;
    WireLogFile& m_wireLogFile;
    CFont m_fixedFont;
    FirmwareStateText m_shownState;
    size_t m_shownExchanges = 0;
    bool m_stateShown = false;
};
