#include "framework/wnd.h"
#include <memory>
#include <unordered_map>

namespace {

std::unordered_map<HWND, CWnd*>& boundWindows() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The own procedures of the windows subclassed by SubclassProc. An entry outlives its object
// when a later subclass sits on top of ours: our procedure then stays in the chain and hands
// every message on.
std::unordered_map<HWND, WNDPROC>& originalProcs() {
    static std::unordered_map<HWND, WNDPROC> map;
    return map;
}

// Handle-only objects for windows without a framework object, so that GetParent and
// GetDlgItem always give an object to call. They hold nothing but the handle.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& handleOnlyWindows() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

bool commandMatches(const MessageMapEntry& entry, UINT message, WPARAM wParam) {
    // Command entries take notification code 0 only (BN_CLICKED, menus, accelerators).
    if (message != WM_COMMAND || HIWORD(wParam) != 0) return false;
    UINT id = LOWORD(wParam);
    return id >= entry.firstId && id <= entry.lastId;
}

bool entryMatches(const MessageMapEntry& entry, UINT message, WPARAM wParam) {
    switch (entry.kind) {
    case MapKind::Message:
        return entry.message == message;
    case MapKind::Command:
    case MapKind::CommandRange:
        return commandMatches(entry, message, wParam);
    case MapKind::End:
        break;
    }
    return false;
}

} // namespace

LPCWSTR CWnd::DefaultClassName() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = FrameworkWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"PelkoFrameworkWnd";
        RegisterClassExW(&wc);
        return L"PelkoFrameworkWnd";
    }();
    return name;
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {{MapKind::End, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

CWnd::~CWnd() {
    if (!m_hWnd || m_handleOnly) return;
    HWND hwnd = m_hWnd;
    Unbind(); // no C++ dispatch into an object being destroyed
    ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    auto it = boundWindows().find(hwnd);
    return it == boundWindows().end() ? nullptr : it->second;
}

CWnd* CWnd::ObjectOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWnd* bound = FromHandle(hwnd)) return bound;
    auto& wrappers = handleOnlyWindows();
    auto found = wrappers.find(hwnd);
    if (found != wrappers.end()) return found->second.get();
    std::erase_if(wrappers, [](const auto& entry) { return !::IsWindow(entry.first); });
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hwnd;
    wrapper->m_handleOnly = true;
    return wrappers.emplace(hwnd, std::move(wrapper)).first->second.get();
}

void CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    boundWindows()[hwnd] = this;
}

void CWnd::Unbind() {
    if (!m_hWnd) return;
    // Our procedure is taken out of the chain only while it is on top of it.
    if (m_subclassed &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == SubclassProc) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
        originalProcs().erase(m_hWnd);
    }
    m_subclassed = false;
    m_originalProc = nullptr;
    boundWindows().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id) {
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd) return FALSE;
    HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!className) {
        // The default class: this object receives every message from WM_NCCREATE on.
        HWND hwnd =
            CreateWindowExW(exStyle, DefaultClassName(), windowName, style, rect.left, rect.top,
                            width, height, parentHwnd, menu, GetModuleHandleW(nullptr), this);
        return hwnd != nullptr;
    }
    HWND hwnd = CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top, width,
                                height, parentHwnd, menu, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return FALSE;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !hwnd || FromHandle(hwnd) || originalProcs().count(hwnd)) return FALSE;
    auto original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (!original) return FALSE;
    originalProcs()[hwnd] = original;
    m_originalProc = original;
    m_subclassed = true;
    Bind(hwnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->right));
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) const {
    DWORD old = GetExStyle();
    DWORD style = (old & ~remove) | add;
    if (style == old) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(style));
    if (flags)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) const {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) const {
    return ::MessageBoxW(m_hWnd, text, caption, type);
}

std::wstring CWnd::GetWindowText() const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!Dispatch(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM && ReflectDrawItem(lParam, result)) return true;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->kind != MapKind::End; ++e) {
            if (entryMatches(*e, message, wParam)) {
                *result = (this->*(e->handler))(wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

bool CWnd::ReflectDrawItem(LPARAM lParam, LRESULT* result) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    CWnd* child = item ? FromHandle(item->hwndItem) : nullptr;
    if (!child || child == this) return false;
    child->ReflectedDrawItem(item);
    *result = TRUE;
    return true;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_subclassed) return ::CallWindowProcW(m_originalProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Route(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && wnd->m_hWnd == hwnd) {
        wnd->Unbind();
        originalProcs().erase(hwnd); // the handle may be given to another window
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* wnd = static_cast<CWnd*>(create->lpCreateParams); wnd && !wnd->m_hWnd)
            wnd->Bind(hwnd);
    }
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return Route(wnd, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (wnd && wnd->m_subclassed) return Route(wnd, hwnd, message, wParam, lParam);
    // No object any more: hand the message on to the window's own procedure.
    auto found = originalProcs().find(hwnd);
    if (found == originalProcs().end()) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    WNDPROC original = found->second;
    if (message == WM_NCDESTROY) originalProcs().erase(found);
    return ::CallWindowProcW(original, hwnd, message, wParam, lParam);
}
