// CPELKOmouseDlg: the program's only window. A borderless dialog drawn from the skin library
// with two pages, built from the tables of app/window_layout.h over the mouse found at start-up.
#pragma once

#include "app/settings_rules.h"
#include "app/window_layout.h"
#include "controls/bitmap_combo_box.h"
#include "controls/bitmap_slider.h"
#include "controls/hover_button.h"
#include "device/commit.h"
#include "device/hid_device.h"
#include "device/mouse_settings.h"
#include "framework/bitmap.h"
#include "framework/critical_section.h"
#include "framework/dialog.h"
#include "framework/font.h"

#include <optional>
#include <string>

struct PointerReading;

inline constexpr UINT kMainDialogTemplate = 302;
inline constexpr UINT kApplicationIcon = 428;
inline constexpr int kMainBackground = 162;
inline constexpr int kOptionsBackground = 246;
// A page background is kept as the library's pixels (a DIB section), as the controls keep
// theirs (controls/skin_image.h says why).
inline constexpr UINT kBackgroundLoadFlags = LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION;

class CPELKOmouseDlg : public CDialog {
  public:
    static constexpr size_t kSkinNameSize = 28; // the library name and its terminator

    explicit CPELKOmouseDlg(CWnd* parent = nullptr);
    ~CPELKOmouseDlg() override;
    DECLARE_MESSAGE_MAP()

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;
    // Fills the Main page's labels and "Profiles", and empties the Options page's.
    void SetLabelTexts();
    // Builds the window from the skin library and runs the device's start-up exchange; true
    // when the device answered the firmware-version request.
    bool CreateControls();

    // Moving values between the controls and the settings.
    void collectPanelValues();
    void showProfile(int offset);
    bool applyProfileDefaults(int offset);
    void initialiseProfiles();

    CHoverButtonV2& button(int id);
    CBitmapSliderCtrl& slider(int id);
    CBitmapComboBox& list(int id);

    // The window's state, read by the tests and the demo's panel.
    CCriticalSection applyLock;
    MouseSettings settings;
    int currentProfile = 0;
    ProfileMirror profileMirror;
    PanelValues panelValues;
    HICON icon = nullptr;
    CBitmap background;
    COLORREF labelColour = RGB(255, 255, 255);
    COLORREF captionColour = RGB(255, 255, 255);
    COLORREF accentColour = RGB(236, 115, 35);
    COLORREF listBackColour = RGB(35, 35, 35);
    COLORREF dimColour = RGB(150, 150, 150);
    COLORREF listColour2 = RGB(247, 247, 247);
    HMODULE skinLibrary = nullptr;
    wchar_t skinLibraryName[kSkinNameSize] = {};
    std::wstring labelTexts[layout::kLabelCount];
    std::wstring firmwareVersion;
    RECT profilesLabelRect;
    int pressX = 0, pressY = 0;
    bool dragAllowed = false;
    bool applyIdle = true;
    bool viewReady = false;
    int lastSeenProfile = 0;
    int lastSeenStage = 0xFF;
    // The device list of the scan and the record in use (null: none); kept for the whole run.
    HidDevice* deviceList = nullptr;
    int deviceCount = 0;
    HidDevice* currentDevice = nullptr;

  protected:
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnMinimise(WPARAM, LPARAM);
    LRESULT OnOkCommand(WPARAM, LPARAM);
    LRESULT OnCancelCommand(WPARAM, LPARAM);
    LRESULT OnApply(WPARAM, LPARAM);
    LRESULT OnWheelSlider(WPARAM, LPARAM);
    LRESULT OnSensitivitySlider(WPARAM, LPARAM);
    LRESULT OnProfileButton(WPARAM, LPARAM);
    LRESULT OnOptionButton(WPARAM, LPARAM);
    LRESULT OnPageTab(WPARAM, LPARAM);
    LRESULT OnLink(WPARAM, LPARAM);
    LRESULT OnComboSelChange(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnDefault(WPARAM, LPARAM);

  private:
    // Commands, pages and timers.
    void switchProfile(int buttonId);
    void switchPage(layout::Page page);
    void showPageControls(layout::Page page);
    void commit(CommitKind kind);
    void applyPointerControls();
    bool watchDevice();
    void markActiveCpiList(int stage);
    void releaseToggledButtons();
    void sensitivityDetent();

    void scanDevices();
    bool loadSkin(const std::wstring& name);
    void reportMissingSkin();
    bool loadBackground(int imageId);
    void loadColours();
    void buildControls();
    void createButton(const layout::Control& row, CHoverButtonV2& control);
    void createSlider(const layout::Control& row, CBitmapSliderCtrl& control);
    void createList(const layout::Control& row, CBitmapComboBox& control);
    void shapeWindow();
    void paintLabels(HDC dc);
    void showView(const ProfileView& view);
    void showWheel(float lines, bool onePage);
    void showWindowsWheel(const PointerReading& reading);
    void showWindowsSpeed(float speed);
    void fillPointerControlsFromWindows();
    std::optional<int32_t> checkedRateCode();
    std::optional<int32_t> checkedSwap();
    void storeCurrentProfile();
    void checkProfileButton(int offset);
    CFont& fontOf(layout::Font font);
    // The window of a control of the layout table (null before the controls are built).
    HWND controlWindow(const layout::Control& row);

    // Indexed by layout::Font: base, heading, label, small bold.
    CFont m_fonts[4];
    CHoverButtonV2 m_buttons[layout::kButtonCount];
    CBitmapSliderCtrl m_sliders[layout::kSliderCount];
    CBitmapComboBox m_lists[layout::kListCount];
    bool m_controlsBuilt = false;
    // Profiles shown, stored or given their factory choices in this run.
    bool m_profileShown[3] = {};
};
