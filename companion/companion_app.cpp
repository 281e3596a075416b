#include "companion/companion_app.h"

#include "companion/resources/companion_resources.h"
#include "device/hid_bus.h"
#include "device/skin_library.h"
#include "framework/failed_library.h"

#include <cstdlib>

namespace {

constexpr wchar_t kSessionName[] = L"Local\\GlimmerhausPelkoCompanion";
constexpr UINT kPollMs = 1000;
// The tests' shorter poll, so that the companion's exchanges stand apart from the window's
// in the mouse's wire log; users have no way to it and no reason to set it.
constexpr wchar_t kTestPollVariable[] = L"PELKO_COMPANION_POLL_MS";
constexpr UINT kShortestTestPollMs = 50;

} // namespace

bool claimCompanionSession() {
    HANDLE claim = ::CreateMutexW(nullptr, FALSE, kSessionName);
    if (claim && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(claim);
        return false;
    }
    return claim != nullptr; // kept until the process ends
}

UINT CCompanionApp::pollIntervalMs() {
    wchar_t text[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(kTestPollVariable, text, 16);
    if (length == 0 || length >= 16) return kPollMs;
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 10);
    if (*end != L'\0' || value < kShortestTestPollMs || value > kPollMs) return kPollMs;
    return UINT(value);
}

BOOL CCompanionApp::InitInstance() {
    if (!claimCompanionSession()) return FALSE;
    // Without Windows' own hid.dll there is no mouse to follow: said once, and the end.
    const SystemLibrary& hid = systemHidLibrary();
    if (!hid.loaded()) {
        showFailedLibrary(nullptr, hid.fileName(), hid.error());
        return FALSE;
    }
    if (!m_window.CreateCompanion()) return FALSE;
    m_pMainWnd = &m_window;
    startFace();
    m_linker.start(m_window.GetSafeHwnd(), kForegroundChangedMessage);
    m_window.SetLooks(&m_linker);
    m_window.StartFollowing();
    return TRUE;
}

namespace {

HICON programIcon(int size) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_COMPANION), IMAGE_ICON, size, size,
                                           LR_DEFAULTCOLOR));
}

} // namespace

void CCompanionApp::startFace() {
    m_face = std::make_unique<CompanionFace>(
        m_window.GetSafeHwnd(), programIcon(::GetSystemMetrics(SM_CXSMICON)), programIcon(32));
    // The display takes the look of the skin the window shows for its default interface; a
    // missing library leaves it the product's own colours. It keeps only what it draws (a
    // bitmap, a colour), so the library is let go at once rather than mapped for the
    // companion's whole life.
    const HMODULE skin = loadSkinLibraryFor(nullptr);
    m_face->start(skin);
    if (skin) ::FreeLibrary(skin);
    m_face->setProgramLinks(&m_linker);
    m_window.SetFace(m_face.get());
    m_faceEvents.attach(m_face.get());
}

int CCompanionApp::Run() {
    const int code = CWinApp::Run();
    m_faceEvents.attach(nullptr);
    m_face.reset();
    return code;
}
