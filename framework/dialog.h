// CDialog: a dialog from a template in the program's resources, run modally by a message
// loop of its own that offers every message for the dialog or its children to
// PreTranslateMessage before IsDialogMessageW and dispatch.
#pragma once
#include "framework/wnd.h"

class CDialog : public CWnd {
  public:
    CDialog(UINT templateId, CWnd* parent);
    DECLARE_MESSAGE_MAP()

    // Runs the dialog; returns the EndDialog code, or -1 when it could not be created or a
    // WM_QUIT ended it (the quit message is posted again for the caller's loop).
    virtual INT_PTR DoModal();
    // Creates the dialog without running it (hidden until shown); the tests' way to drive a
    // dialog from their own message loop. EndDialog then only records the result.
    BOOL Create();
    INT_PTR GetResult() const { return m_result; }
    void EndDialog(int result);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

  protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT HandleOK(WPARAM wParam, LPARAM lParam);
    LRESULT HandleCancel(WPARAM wParam, LPARAM lParam);

  private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND CreateFromTemplate(HWND owner);
    bool ForThisDialog(const MSG& msg) const;
    void RunModalLoop();

    UINT m_templateId;
    CWnd* m_parent;
    bool m_inModal = false;
    INT_PTR m_result = -1;
};
