#include "framework/dialog.h"

namespace {

// Whether a WM_QUIT waits in this thread's queue; it stays there for the modal loop.
bool quitPending() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, HandleOK)
ON_COMMAND(IDCANCEL, HandleCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog();
}

LRESULT CDialog::HandleOK(WPARAM, LPARAM) {
    OnOK();
    return 0;
}

LRESULT CDialog::HandleCancel(WPARAM, LPARAM) {
    OnCancel();
    return 0;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE; // everything else reaches us by subclassing
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(hwnd)) return TRUE;
    return dialog->WindowProc(message, wParam, lParam);
}

HWND CDialog::CreateFromTemplate(HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(m_templateId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate) return nullptr;
    return CreateDialogIndirectParamW(instance, dialogTemplate, owner, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create() {
    if (m_hWnd) return FALSE;
    m_result = -1;
    return CreateFromTemplate(m_parent ? m_parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
    m_inModal = true;
    m_result = -1;
    HWND hwnd = CreateFromTemplate(owner);
    if (!hwnd) {
        m_inModal = false;
        return -1;
    }
    if (owner) ::EnableWindow(owner, FALSE);
    // A dialog that ended, or asked the program to quit, while it initialised is never shown.
    if (m_inModal && !quitPending()) ::ShowWindow(hwnd, SW_SHOWNORMAL);
    RunModalLoop();
    if (owner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    return m_result;
}

bool CDialog::ForThisDialog(const MSG& msg) const {
    return m_hWnd && msg.hwnd && (msg.hwnd == m_hWnd || IsChild(m_hWnd, msg.hwnd));
}

void CDialog::RunModalLoop() {
    while (m_inModal) {
        MSG msg;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) { // WM_QUIT: end the dialog and hand the quit on
            m_inModal = false;
            m_result = -1;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (ForThisDialog(msg)) {
            if (PreTranslateMessage(&msg)) continue;
            if (IsDialogMessageW(m_hWnd, &msg)) continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void CDialog::EndDialog(int result) {
    m_result = result;
    if (!m_inModal) return;
    m_inModal = false;
    if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        PostMessage(WM_NULL); // wakes the modal loop so that it sees the end
    }
}
