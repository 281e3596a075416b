#include "app/pelko_app.h"

#include "framework/failed_library.h"
#include "app/main_dialog.h"
#include "controls/image_library.h"
#include "device/configuration_program.h"
#include "device/hid_bus.h"

#include <commctrl.h>

namespace {

constexpr DWORD kLanguage = 9;
constexpr UINT kCompanionFirst = 15;
constexpr UINT kCompanionSecond = 14;

void initialiseCommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

} // namespace

bool systemLibrariesLoaded() {
    for (const SystemLibrary* library : {&systemHidLibrary(), &MsimgLibrary()}) {
        if (library->loaded()) continue;
        showFailedLibrary(nullptr, library->fileName(), library->error());
        return false;
    }
    return true;
}

bool storeStartUpMarker() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kStartUpKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD language = kLanguage;
    ::RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&language),
                     sizeof(language));
    ::RegCloseKey(key);
    return true;
}

void notifyCompanion(UINT code) {
    HWND companion = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
    if (!companion) return;
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(companion, WM_USER + code, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          kCompanionWaitMs, &answer);
}

BOOL CPELKOmouseApp::InitInstance() {
    if (!systemLibrariesLoaded()) return FALSE;
    // Before anything talks to the mouse: the companion then keeps away from it until this
    // process ends, in whichever order the two start, and also when the registry step below
    // fails.
    announceConfigurationProgram();
    initialiseCommonControls();
    CPELKOmouseDlg dialog(nullptr);
    m_pMainWnd = &dialog;
    if (storeStartUpMarker()) {
        notifyCompanion(kCompanionFirst);
        notifyCompanion(kCompanionSecond);
    }
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
