#include "sim/demo/sim_panel.h"

#include "sim/demo/wire_log_line.h"

#include <algorithm>

namespace {

// No WS_CLIPCHILDREN: the group boxes are drawn over the background the panel paints.
constexpr DWORD kPanelStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kPanelExStyle = WS_EX_TOOLWINDOW;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Client coordinates of the three groups and their contents.
constexpr int kLeft = 10, kRight = 410, kInnerLeft = 20, kInnerRight = 400;
constexpr int kButtonTop = 24, kButtonWidth = 89, kButtonHeight = 26, kButtonGap = 8;
constexpr RECT kMouseGroup = {kLeft, 6, kRight, 84};
constexpr RECT kResetNote = {kInnerLeft, 58, kInnerRight, 76};
constexpr RECT kStateGroup = {kLeft, 90, kRight, 150};
constexpr int kStateRowTop = 108, kStateRowHeight = 18;
constexpr int kStateColumns[] = {kInnerLeft, 112, 216, 300, kInnerRight};
constexpr int kExchangeGroupTop = 156, kListTop = 174, kBottomGap = 8;
// The count sits on the group's title line, at its right end.
constexpr RECT kExchangeCountRect = {kRight - 110, kExchangeGroupTop, kRight - 10,
                                     kExchangeGroupTop + 14};

RECT buttonRect(int column) {
    const int left = kInnerLeft + column * (kButtonWidth + kButtonGap);
    return {left, kButtonTop, left + kButtonWidth, kButtonTop + kButtonHeight};
}

RECT stateCell(int row, int column) {
    const int top = kStateRowTop + row * kStateRowHeight;
    return {kStateColumns[column], top, kStateColumns[column + 1] - 4, top + kStateRowHeight - 2};
}

std::wstring windowText(HWND window) {
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CSimPanel, CWnd)
ON_COMMAND(kCpiButton, OnCpiButton)
ON_COMMAND(kProfileButton, OnProfileButton)
ON_COMMAND(kCableButton, OnCableButton)
ON_COMMAND(kResetButton, OnResetButton)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_CLOSE, OnClose)
END_MESSAGE_MAP()

CSimPanel::CSimPanel(SimHidBus& bus, WireLogFile& wireLogFile)
    : m_bus(bus), m_wireLogFile(wireLogFile) {
    m_fixedFont.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                           L"Courier New");
}

bool CSimPanel::CreatePanel(int x, int y, bool shown) {
    const RECT place = {x, y, x + 100, y + 100}; // sized once the controls are made
    if (!CreateEx(kPanelExStyle, nullptr, L"Simulated Pelko", kPanelStyle, place, nullptr, 0))
        return false;
    buildControls();
    Refresh();
    SetTimer(kRefreshTimer, kRefreshMs);
    if (shown) ShowWindow(SW_SHOWNOACTIVATE);
    return true;
}

HWND CSimPanel::addControl(const wchar_t* className, const wchar_t* text, DWORD style, RECT rect,
                           int id) {
    HWND control = ::CreateWindowExW(0, className, text, kChild | style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                     reinterpret_cast<HMENU>(INT_PTR(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(control, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void CSimPanel::buildControls() {
    addControl(L"BUTTON", L"On the mouse", BS_GROUPBOX, kMouseGroup, -1);
    addControl(L"BUTTON", L"CPI button", BS_PUSHBUTTON, buttonRect(0), kCpiButton);
    addControl(L"BUTTON", L"Profile button", BS_PUSHBUTTON, buttonRect(1), kProfileButton);
    addControl(L"BUTTON", L"Unplug", BS_PUSHBUTTON, buttonRect(2), kCableButton);
    addControl(L"BUTTON", L"Factory reset", BS_PUSHBUTTON, buttonRect(3), kResetButton);
    addControl(L"STATIC", L"A factory reset takes effect at the next start.", SS_LEFT, kResetNote,
               -1);

    addControl(L"BUTTON", L"Firmware state", BS_GROUPBOX, kStateGroup, -1);
    const wchar_t* names[] = {L"Active profile:", L"Report rate:", L"CPI stage:", L"Button swap:"};
    const int values[] = {kProfileValue, kRateValue, kStageValue, kSwapValue};
    for (int cell = 0; cell < 4; ++cell) {
        const int row = cell / 2, column = (cell % 2) * 2;
        addControl(L"STATIC", names[cell], SS_LEFT, stateCell(row, column), -1);
        addControl(L"STATIC", L"", SS_LEFT, stateCell(row, column + 1), values[cell]);
    }

    // The list holds kShownExchanges rows of its font, with no scroll bar.
    HWND list = addControl(L"LISTBOX", L"", LBS_NOSEL | LBS_NOINTEGRALHEIGHT | WS_BORDER,
                           {kInnerLeft, kListTop, kInnerRight, kListTop + 100}, kExchangeList);
    ::SendMessageW(list, WM_SETFONT, WPARAM(m_fixedFont.GetSafeHandle()), FALSE);
    const int rowHeight = int(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int listBottom = kListTop + kShownExchanges * rowHeight + 2;
    ::MoveWindow(list, kInnerLeft, kListTop, kInnerRight - kInnerLeft, listBottom - kListTop,
                 FALSE);
    // The count changes with every exchange, so it is a control of its own: a group box
    // repaints its whole area when its title changes, which was most of the panel's cost
    // while the program idles (one poll a second). Made before the group box, it is drawn
    // over the box's frame.
    addControl(L"STATIC", L"0 exchanges", SS_RIGHT, kExchangeCountRect, kExchangeCount);
    const RECT group = {kLeft, kExchangeGroupTop, kRight, listBottom + 10};
    addControl(L"BUTTON", L"Wire log (newest at the bottom)", BS_GROUPBOX, group, kExchangeGroup);

    RECT frame = {0, 0, kRight + kLeft, group.bottom + kBottomGap};
    ::AdjustWindowRectEx(&frame, kPanelStyle, FALSE, kPanelExStyle);
    SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSimPanel::Refresh() {
    m_wireLogFile.catchUp(m_bus.wireLog);
    const FirmwareStateText state = firmwareStateText(m_bus.firmware);
    if (!m_stateShown || !(state == m_shownState)) showState(state);
    if (m_shownExchanges != m_bus.wireLog.size()) showExchanges();
}

void CSimPanel::showState(const FirmwareStateText& state) {
    const std::pair<int, const std::wstring*> cells[] = {{kProfileValue, &state.profile},
                                                         {kStageValue, &state.stage},
                                                         {kRateValue, &state.reportRate},
                                                         {kSwapValue, &state.buttonSwap}};
    for (const auto& [id, text] : cells) {
        HWND value = ::GetDlgItem(m_hWnd, id);
        if (windowText(value) != *text) ::SetWindowTextW(value, text->c_str());
    }
    m_shownState = state;
    m_stateShown = true;
}

// Appends the exchanges made since the last look and drops the oldest rows.
void CSimPanel::showExchanges() {
    HWND list = ::GetDlgItem(m_hWnd, kExchangeList);
    const size_t total = m_bus.wireLog.size();
    const size_t shownFrom = total > kShownExchanges ? total - kShownExchanges : 0;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (size_t i = std::max(m_shownExchanges, shownFrom); i < total; ++i) {
        const std::wstring row = wireExchangeRow(int(i), m_bus.wireLog[i]);
        ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(row.c_str()));
    }
    while (::SendMessageW(list, LB_GETCOUNT, 0, 0) > kShownExchanges)
        ::SendMessageW(list, LB_DELETESTRING, 0, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    m_shownExchanges = total;

    const std::wstring count = std::to_wstring(total) + L" exchanges";
    ::SetDlgItemTextW(m_hWnd, kExchangeCount, count.c_str());
}

LRESULT CSimPanel::OnCpiButton(WPARAM, LPARAM) {
    m_bus.pressCycleCpiStage();
    Refresh();
    return 0;
}

LRESULT CSimPanel::OnProfileButton(WPARAM, LPARAM) {
    m_bus.pressNextProfile();
    Refresh();
    return 0;
}

// The main window notices the lost mouse at its next poll, reports it and ends.
LRESULT CSimPanel::OnCableButton(WPARAM, LPARAM) {
    if (m_bus.isUnplugged())
        m_bus.replug();
    else
        m_bus.unplug();
    ::SetDlgItemTextW(m_hWnd, kCableButton, m_bus.isUnplugged() ? L"Plug in" : L"Unplug");
    return 0;
}

// The running program keeps what it read at its start; the memory file holds the factory
// memory from now on.
LRESULT CSimPanel::OnResetButton(WPARAM, LPARAM) {
    m_bus.firmware.factoryReset();
    Refresh();
    return 0;
}

LRESULT CSimPanel::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam == kRefreshTimer) Refresh();
    return 0;
}

LRESULT CSimPanel::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    RECT client;
    GetClientRect(&client);
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

// The panel goes with the program: it cannot be closed on its own.
LRESULT CSimPanel::OnClose(WPARAM, LPARAM) {
    return 0;
}
