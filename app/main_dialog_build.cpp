// Building the main window: the device scan that finds the skin library, the controls from
// the layout tables, the colours and the colour-keyed window shape, and the device's start-up.
#include "app/main_dialog.h"

#include "app/button_style.h"
#include "framework/failed_library.h"
#include "controls/skin_colour.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"
#include "device/skin_library.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr int kScanLimit = 50;
constexpr DWORD kHoverButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;
constexpr UINT kLabelColourString = 146;
constexpr UINT kCaptionColourString = 140;
constexpr UINT kListColourString = 142;
constexpr COLORREF kColourKey = RGB(255, 0, 255);

RECT toRect(const layout::Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

const layout::Slider& sliderRow(int id) {
    for (const layout::Slider& row : layout::kSliders)
        if (row.id == id) return row;
    return layout::kSliders[0];
}

const layout::List& listRow(int id) {
    for (const layout::List& row : layout::kLists)
        if (row.id == id) return row;
    return layout::kLists[0];
}

} // namespace

CPELKOmouseDlg::CPELKOmouseDlg(CWnd* parent)
    : CDialog(kMainDialogTemplate, parent), profilesLabelRect{207, 292, 251, 309} {
    icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIcon));
    for (int font = 0; font < 4; ++font) {
        const layout::FontRecipe& recipe = layout::kFonts[font];
        m_fonts[font].CreateSkinFont(recipe.height, recipe.bold ? FW_BOLD : 0, 0, 0, 0, L"Arial");
    }
}

// The device list and the skin library are kept for the window's whole life, which is the
// program's run; they go with it.
CPELKOmouseDlg::~CPELKOmouseDlg() {
    for (int i = 0; deviceList && i < deviceCount; ++i)
        closeHidDevice(deviceList[i]);
    std::free(deviceList);
    if (skinLibrary) ::FreeLibrary(skinLibrary);
}

CHoverButtonV2& CPELKOmouseDlg::button(int id) {
    int index = layout::indexOfKind(layout::Kind::HoverButton, id);
    return m_buttons[index < 0 ? 0 : index];
}

CBitmapSliderCtrl& CPELKOmouseDlg::slider(int id) {
    int index = layout::indexOfKind(layout::Kind::Slider, id);
    return m_sliders[index < 0 ? 0 : index];
}

CBitmapComboBox& CPELKOmouseDlg::list(int id) {
    int index = layout::indexOfKind(layout::Kind::List, id);
    return m_lists[index < 0 ? 0 : index];
}

HWND CPELKOmouseDlg::controlWindow(const layout::Control& row) {
    switch (row.kind) {
    case layout::Kind::HoverButton:
        return button(row.id).m_hWnd;
    case layout::Kind::Slider:
        return slider(row.id).m_hWnd;
    case layout::Kind::List:
        return list(row.id).m_hWnd;
    }
    return nullptr;
}

CFont& CPELKOmouseDlg::fontOf(layout::Font font) {
    return m_fonts[static_cast<int>(font)];
}

BOOL CPELKOmouseDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    accentColour = RGB(236, 115, 35);
    listBackColour = RGB(35, 35, 35);
    dimColour = RGB(150, 150, 150);
    findKnownHidDevices(&deviceList, &deviceCount, kPelkoVendorId, kPelkoProductId);
    SetLabelTexts();
    scanDevices();
    SetTimer(layout::timer::kDeviceWatch, layout::timer::kDeviceWatchMs);
    return TRUE;
}

// Tries each listed interface's own skin library, then the default one.
void CPELKOmouseDlg::scanDevices() {
    int index = 0;
    for (; index < deviceCount; ++index) {
        if (index >= kScanLimit) break;
        HidDevice& record = deviceList[index];
        record.unlocked = FALSE;
        if (!hasValidPath(record)) continue;
        std::wstring name = skinLibraryNameForPath(record.path);
        if (name.empty() || !loadSkin(name)) continue;
        currentDevice = &record;
        if (CreateControls()) return;
        OnCancel();
    }
    if (skinLibrary) return;
    currentDevice = index < deviceCount ? &deviceList[index] : nullptr;
    if (loadSkin(kDefaultSkinLibraryName))
        CreateControls();
    else
        reportMissingSkin();
}

bool CPELKOmouseDlg::loadSkin(const std::wstring& name) {
    std::wcsncpy(skinLibraryName, name.c_str(), kSkinNameSize - 1);
    HMODULE module = loadSkinLibrary(skinLibraryName);
    if (!module) return false;
    if (skinLibrary) ::FreeLibrary(skinLibrary); // the controls hold copies of its images
    skinLibrary = module;
    return module != nullptr;
}

void CPELKOmouseDlg::reportMissingSkin() {
    showFailedLibrary(m_hWnd, kDefaultSkinLibraryName, ::GetLastError());
    ::PostQuitMessage(0);
}

void CPELKOmouseDlg::SetLabelTexts() {
    for (int i = 0; i < layout::kLabelCount; ++i) {
        const layout::Label& label = layout::kLabels[i];
        bool main = label.page != layout::Page::Options;
        labelTexts[i] = main && label.text ? label.text : L"";
    }
}

bool CPELKOmouseDlg::CreateControls() {
    SetWindowText(L"Glimmerhaus Pelko");
    loadBackground(kMainBackground);
    loadColours();
    if (!m_controlsBuilt) buildControls();
    shapeWindow();
    if (!currentDevice || !startUpDevice(*currentDevice, settings, firmwareVersion)) return false;
    initialiseProfiles();
    return true;
}

// Makes the skin image the page background and sizes the window to it. A background smaller
// than the page would hide the controls laid out on it: the window keeps at least the page's
// size then.
bool CPELKOmouseDlg::loadBackground(int imageId) {
    HANDLE image = ::LoadImageW(skinLibrary, MAKEINTRESOURCEW(imageId), IMAGE_BITMAP, 0, 0,
                                kBackgroundLoadFlags);
    if (!image) return false;
    background.Attach(image);
    BITMAP info = {};
    if (!background.GetBitmap(&info)) return true;
    const int width = std::max<int>(info.bmWidth, layout::kPageWidth);
    const int height = std::max<int>(info.bmHeight, layout::kPageHeight);
    RECT window;
    GetWindowRect(&window);
    if (window.right - window.left != width || window.bottom - window.top != height)
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    return true;
}

void CPELKOmouseDlg::loadColours() {
    LoadSkinColour(skinLibrary, kLabelColourString, kPaddedColourFormat, labelColour);
    LoadSkinColour(skinLibrary, kCaptionColourString, kPaddedColourFormat, captionColour);
    LoadSkinColour(skinLibrary, kListColourString, kPlainColourFormat, listColour2);
}

// One walk over the control table; a later run (for a further device record) keeps the
// controls the first one made.
void CPELKOmouseDlg::buildControls() {
    m_controlsBuilt = true;
    for (const layout::Control& row : layout::kControls) {
        switch (row.kind) {
        case layout::Kind::HoverButton:
            createButton(row, button(row.id));
            break;
        case layout::Kind::Slider:
            createSlider(row, slider(row.id));
            break;
        case layout::Kind::List:
            createList(row, list(row.id));
            break;
        }
    }
}

void CPELKOmouseDlg::createButton(const layout::Control& row, CHoverButtonV2& control) {
    if (!control.Create(L"", kHoverButtonStyle, toRect(row.rect), this, UINT(row.id))) return;
    if (row.hasMargins)
        control.SetTextMargins(row.margins.left, row.margins.top, row.margins.right,
                               row.margins.bottom);
    control.SetBitmaps(row.images[0], row.images[1], row.images[2], -1, -1, -1, -1, skinLibrary);
    control.SetToggle(TRUE);
    styleButton(control, row, {captionColour, accentColour, dimColour});
    if (row.caption) control.SetCaption(row.caption);
    if (row.textFormat) control.SetTextFormat(row.textFormat);
    if (row.page == layout::Page::Options) control.ShowWindow(SW_HIDE);
}

void CPELKOmouseDlg::createSlider(const layout::Control& row, CBitmapSliderCtrl& control) {
    if (!control.Create(nullptr, nullptr, kChildStyle, toRect(row.rect), this, UINT(row.id)))
        return;
    const layout::Slider& s = sliderRow(row.id);
    control.SetRange(s.minimum, s.maximum);
    control.SetThumbTop(layout::kSliderThumbTop);
    control.SetBitmaps(skinLibrary, s.channel, s.channelDisabled, s.spare, s.thumb, s.thumbAlpha,
                       s.thumbHitMask);
    control.SetHitColour(layout::kSliderHitColour);
    control.SetChannelSpan(layout::kSliderChannelStart, layout::kSliderChannelEnd);
    control.SetPageStep(layout::kSliderPageStep);
    control.SetPos(s.initial);
}

void CPELKOmouseDlg::createList(const layout::Control& row, CBitmapComboBox& control) {
    if (!control.Create(nullptr, nullptr, kChildStyle, toRect(row.rect), this, UINT(row.id)))
        return;
    const layout::List& l = listRow(row.id);
    control.SetDropHeight(l.dropHeight);
    control.SetBitmaps(row.images[0], row.images[1], row.images[2], row.images[3], row.images[4],
                       skinLibrary);
    // The scroll track colour is stored only: the list has no scroll bar.
    control.SetColors(listBackColour, captionColour, accentColour, listBackColour, listColour2,
                      captionColour);
    for (int entry = 0; entry < l.entryCount; ++entry)
        control.AddString(l.entries[entry], 0);
    if (l.selectedAtStart != layout::kNone) control.SetCurSel(l.selectedAtStart, 1);
    if (row.page == layout::Page::Options) control.ShowWindow(SW_HIDE);
}

// Magenta pixels of the background become holes: they give the window its outline.
void CPELKOmouseDlg::shapeWindow() {
    using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
    auto setAttributes = reinterpret_cast<SetLayeredAttributes>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
    ModifyStyleEx(0, WS_EX_LAYERED);
    if (setAttributes) setAttributes(m_hWnd, kColourKey, 0, LWA_COLORKEY);
}
