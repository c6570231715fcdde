// The window object: binding, subclassing, creation and the thin window operations.
#include "runtime/ui/native/rix_wnd.h"

#include "runtime/ui/native/creating_window.h"
#include "runtime/ui/native/window_map.h"
#include "runtime/ui/native/window_proc.h"

CRixWnd::~CRixWnd() {
    // The derived parts are gone already, so the window must not reach this object again:
    // unbind first, then destroy the window.
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return;
    bool destroying = m_bDestroying;
    if (m_bSubclassed)
        UnsubclassWindow();
    else
        Detach();
    if (!destroying && IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}

void CRixWnd::Delete(CRixWnd* wnd) {
    if (wnd == nullptr)
        return;
    if (wnd->m_nHolds > 0)
        wnd->m_bDeletePending = true;
    else
        delete wnd;
}

CRixWnd::KeepAlive::~KeepAlive() {
    if (m_pWnd == nullptr)
        return;
    if (--m_pWnd->m_nHolds == 0 && m_pWnd->m_bDeletePending)
        delete m_pWnd;
}

BOOL CRixWnd::PreTranslateQueued(MSG* msg) {
    KeepAlive hold(this);
    return PreTranslateMessage(msg);
}

CRixWnd* CRixWnd::FromHandlePermanent(HWND hwnd) {
    return CRixWindowMap::Find(hwnd);
}

bool CRixWnd::HasWindow() const {
    return m_hWnd != nullptr && IsWindow(m_hWnd);
}

void CRixWnd::Bind(HWND hwnd, WNDPROC super) {
    m_hWnd = hwnd;
    m_pfnSuper = super;
    CRixWindowMap::Add(hwnd, this);
    SetWindowPreTranslator(hwnd, this);
}

void CRixWnd::Unbind() {
    if (m_hWnd == nullptr)
        return;
    CRixWindowMap::Remove(m_hWnd, this);
    SetWindowPreTranslator(m_hWnd, nullptr);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_bSubclassed = false;
    m_bDestroying = false;
}

BOOL CRixWnd::Attach(HWND hwnd) {
    if (m_hWnd != nullptr || hwnd == nullptr || !IsWindow(hwnd) ||
        CRixWindowMap::Find(hwnd) != nullptr)
        return FALSE;
    Bind(hwnd, nullptr);
    return TRUE;
}

HWND CRixWnd::Detach() {
    HWND hwnd = m_hWnd;
    Unbind();
    return hwnd;
}

BOOL CRixWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (previous != &RixWndProc) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RixWndProc));
        m_pfnSuper = previous;
        m_bSubclassed = true;
    }
    return TRUE;
}

HWND CRixWnd::UnsubclassWindow() {
    if (m_bSubclassed && m_pfnSuper != nullptr && IsWindow(m_hWnd))
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    return Detach();
}

BOOL CRixWnd::CreateEx(DWORD ex_style, LPCWSTR class_name, LPCWSTR caption, DWORD style, int x,
                       int y, int width, int height, HWND parent, HMENU id_or_menu, LPVOID param) {
    if (m_hWnd != nullptr)
        return FALSE;
    HWND hwnd;
    {
        CRixCreatingWindow creating(this);
        hwnd = CreateWindowExW(ex_style, class_name, caption, style, x, y, width, height, parent,
                               id_or_menu, GetModuleHandleW(nullptr), param);
    }
    if (hwnd == nullptr)
        return FALSE;
    // A window of a system class never ran our procedure during its creation.
    if (m_hWnd == nullptr && !SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CRixWnd::DestroyWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return FALSE;
    // Asked again from inside the destruction (a Destroyed handler letting go of the last
    // control object): the window is on its way out already.
    if (m_bDestroying)
        return TRUE;
    // A self-deleting object lets go of itself with its window; it stays for this call.
    KeepAlive hold(this);
    BOOL done = ::DestroyWindow(hwnd);
    // A window bound by Attach alone never tells us about WM_NCDESTROY.
    if (m_hWnd == hwnd && !IsWindow(hwnd))
        Unbind();
    return done;
}

namespace {
BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    if (hwnd == nullptr)
        return FALSE;
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongW(hwnd, index, static_cast<LONG>(changed));
    if (flags != 0)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
} // namespace

BOOL CRixWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CRixWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

DWORD CRixWnd::GetStyle() const {
    return m_hWnd != nullptr ? static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)) : 0;
}

LRESULT CRixWnd::SendMessage(UINT message, WPARAM wparam, LPARAM lparam) const {
    return ::SendMessageW(m_hWnd, message, wparam, lparam);
}

void CRixWnd::SetWindowText(const WCHAR* text) {
    ::SetWindowTextW(m_hWnd, text);
}

CWString CRixWnd::GetWindowText() const {
    CWString text;
    if (m_hWnd == nullptr)
        return text;
    int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return text;
    WCHAR* units = text.BeginWrite(length);
    int copied = ::GetWindowTextW(m_hWnd, units, length + 1);
    text.EndWrite(copied > 0 ? copied : 0);
    return text;
}

LRESULT CRixWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProc(message, wparam, lparam);
}

LRESULT CRixWnd::DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    // A handler destroyed the window while its message was still being handled.
    if (m_hWnd == nullptr)
        return 0;
    if (m_pfnSuper != nullptr)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wparam, lparam);
    return ::DefWindowProcW(m_hWnd, message, wparam, lparam);
}

BOOL CRixWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CRixWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CRixWnd::PreReflectNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}
