// The dialog window object: binding at the first dialog message, the modal run, OK and Cancel.
#include "runtime/ui/native/dialog.h"

#include <utility>

namespace {

// The dialog object whose window CreateIndirect is creating on this thread.
thread_local CRixDialog* t_pCreatingDialog = nullptr;

constexpr UINT kFirstKeyMessage = 0x0100; // WM_KEYFIRST
constexpr UINT kLastKeyMessage = 0x0109;  // WM_KEYLAST
constexpr WORD kAcceleratorCode = 1;

// The top-level window of hwnd: a dialog is owned by a top-level window, never by a child.
HWND TopLevelOf(HWND hwnd) {
    while (hwnd != nullptr && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0)
        hwnd = GetParent(hwnd);
    return hwnd;
}

} // namespace

BOOL CRixDialog::LoadTemplate(UINT id, HINSTANCE module) {
    return m_template.LoadFromResource(module, MAKEINTRESOURCEW(id));
}

HWND CRixDialog::GetDlgItem(int id) const {
    return GetSafeHwnd() != nullptr ? ::GetDlgItem(GetSafeHwnd(), id) : nullptr;
}

INT_PTR CRixDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (t_pCreatingDialog == nullptr || CRixWnd::FromHandlePermanent(hwnd) != nullptr)
        return FALSE;
    CRixDialog* dialog = std::exchange(t_pCreatingDialog, nullptr);
    if (!dialog->SubclassWindow(hwnd))
        return FALSE;
    // This message went to the system's dialog procedure before the object was bound; only
    // WM_INITDIALOG is worth handing over (its answer is the dialog procedure's own).
    if (message == WM_INITDIALOG)
        return dialog->WindowProc(message, wparam, lparam);
    return FALSE;
}

BOOL CRixDialog::CreateIndirect(LPCDLGTEMPLATEW dialog_template, HWND owner) {
    if (GetSafeHwnd() != nullptr || dialog_template == nullptr)
        return FALSE;
    CRixDialog* outer = std::exchange(t_pCreatingDialog, this);
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog_template, owner,
                                           &CRixDialog::DialogProc, 0);
    t_pCreatingDialog = outer;
    if (hwnd == nullptr)
        return FALSE;
    // A dialog procedure that never ran (a template of a class of its own) binds here.
    if (GetSafeHwnd() != hwnd && !SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CRixDialog::Create() {
    return CreateIndirect(m_template.Get(), m_hWndOwner);
}

INT_PTR CRixDialog::DoModal() {
    if (GetSafeHwnd() != nullptr)
        return -1;
    HWND owner = TopLevelOf(m_hWndOwner);
    HWND focus = GetFocus();
    const bool disable_owner = owner != nullptr && IsWindowEnabled(owner);
    if (disable_owner)
        EnableWindow(owner, FALSE);
    m_loop.Reset();
    m_bModal = true;
    int result = CRixModalLoop::kAborted;
    if (CreateIndirect(m_template.Get(), owner))
        result = RunModalLoop();
    m_bModal = false;

    // The owner comes back before the dialog goes, so that the activation returns to it and
    // not to some other program's window.
    const bool was_active = GetSafeHwnd() != nullptr && GetActiveWindow() == GetSafeHwnd();
    if (disable_owner)
        EnableWindow(owner, TRUE);
    if (owner != nullptr && (was_active || GetActiveWindow() == nullptr))
        SetActiveWindow(owner);
    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        DestroyWindow();
    }
    if (focus != nullptr && IsWindow(focus))
        SetFocus(focus);
    return result;
}

int CRixDialog::RunModalLoop() {
    return m_loop.Run(GetSafeHwnd());
}

void CRixDialog::EndModalLoop(int result) {
    m_loop.End(result);
}

void CRixDialog::EndDialog(int result) {
    if (m_bModal)
        EndModalLoop(result);
    else if (GetSafeHwnd() != nullptr)
        ::EndDialog(GetSafeHwnd(), result);
}

BOOL CRixDialog::BindControl(int id, CRixWnd& control) {
    HWND item = GetDlgItem(id);
    if (item == nullptr)
        return FALSE;
    if (control.GetSafeHwnd() == item)
        return TRUE;
    return control.SubclassWindow(item);
}

BOOL CRixDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

void CRixDialog::OnOK() {
    EndDialog(IDOK);
}

void CRixDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CRixDialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        // A click, a menu item or an accelerator; other notifications of controls that happen
        // to have these ids are not choices.
        if (HIWORD(wparam) == BN_CLICKED || (HIWORD(wparam) == kAcceleratorCode && lparam == 0)) {
            if (LOWORD(wparam) == IDOK) {
                OnOK();
                return 0;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return CRixWnd::WindowProc(message, wparam, lparam);
}

BOOL CRixDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= kFirstKeyMessage && msg->message <= kLastKeyMessage &&
        GetSafeHwnd() != nullptr)
        return IsDialogMessageW(GetSafeHwnd(), msg);
    return FALSE;
}
