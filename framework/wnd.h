// CWnd: a C++ object bound to a window, with message-map dispatch and default processing.
// Framework windows (the default window class) bind on WM_NCCREATE; system controls and
// dialogs are subclassed by replacing their window procedure, the one they had being their
// default processing. Objects are found from a handle through one map, used on the
// user-interface thread only. (comctl32's SetWindowSubclass is not used: under Wine it costs
// two window-property look-ups in the server for every message.)
#pragma once
#include "framework/message_map.h"
#include <string>

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Creates a window of the framework's default class (className null) or of a named class.
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    // Binds an existing window (a system control) by subclassing it.
    BOOL SubclassWindow(HWND hwnd);
    BOOL DestroyWindow();

    static CWnd* FromHandle(HWND hwnd); // the bound object, or null
    // The framework's default window class (double clicks enabled).
    static LPCWSTR DefaultClassName();
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for a WM_DRAWITEM that the parent reflects to this control.
    virtual void ReflectedDrawItem(DRAWITEMSTRUCT*) {}

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const {
        ::InvalidateRect(m_hWnd, rect, erase);
    }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }

    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }

    // The parent and the child with an id: the bound object, or for a window with no
    // framework object (a dialog template's control, a foreign window) a handle-only object
    // the framework keeps; null only when there is no such window.
    CWnd* GetParent() const { return ObjectOf(::GetParent(m_hWnd)); }
    HWND GetParentHwnd() const { return ::GetParent(m_hWnd); }
    CWnd* GetDlgItem(int id) const { return ObjectOf(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    // Removes and adds extended styles; with flags, also SetWindowPos(flags) so that frame
    // changes take effect. TRUE when the style changed.
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0) const;
    // WM_SETICON: returns the icon the window had.
    HICON SetIcon(HICON icon, BOOL bigIcon) const;
    // A message box owned by this window (MessageBoxW).
    int MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) const;
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;

    HWND SetCapture() const { return ::SetCapture(m_hWnd); }
    static HWND GetCapture() { return ::GetCapture(); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const {
        return ::SetTimer(m_hWnd, id, elapse, nullptr);
    }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    HWND m_hWnd = nullptr;

  protected:
    // Default processing of the message being handled: the original window procedure of a
    // subclassed window, DefWindowProcW for a framework window.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}

  private:
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool ReflectDrawItem(LPARAM lParam, LRESULT* result);
    void Bind(HWND hwnd);
    void Unbind();
    // The bound object of hwnd, else a handle-only object kept for it; null for null.
    static CWnd* ObjectOf(HWND hwnd);

    static LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT Route(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_subclassed = false;
    WNDPROC m_originalProc = nullptr; // the subclassed window's own procedure
    bool m_handleOnly = false;        // stands for a window it neither made nor binds
    CurrentMessage m_current;

    friend class CDialog;
};
