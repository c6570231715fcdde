// The input dialog and its filtering field.
#include "runtime/ui/input_dialog.h"

#include "runtime/ui/input_dialog_templates.h"

LRESULT CREdt_Input::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CHAR && wparam >= 32) {
        auto ch = static_cast<WCHAR>(wparam);
        bool digit = ch >= '0' && ch <= '9';
        bool refused = (m_nFilterMode == 2 && !(digit || ch == '-')) ||
                       (m_nFilterMode == 3 && !(digit || ch == '-' || ch == '.'));
        if (refused) {
            MessageBeep(MB_ICONASTERISK);
            return 0;
        }
    }
    return CRixWnd::WindowProc(message, wparam, lparam);
}

CRDlg_Input::CRDlg_Input(UINT template_id, HWND owner) : CRixDialog(owner) {
    RegisterInputDialogTemplates();
    m_bHasTemplate = LoadTemplate(template_id) != FALSE;
}

void CRDlg_Input::DoDataExchange() {
    BindControl(IDC_INPUT_EDIT, m_PlainEdit);
    BindControl(IDC_INPUT_PASSWORD, m_PasswordEdit);
}

BOOL CRDlg_Input::OnInitDialog() {
    CRixDialog::OnInitDialog();
    m_pUsedEdit = m_nInputType == kPassword ? &m_PasswordEdit : &m_PlainEdit;
    CREdt_Input& other = m_nInputType == kPassword ? m_PlainEdit : m_PasswordEdit;
    if (other.GetSafeHwnd() != nullptr)
        ShowWindow(other.GetSafeHwnd(), SW_HIDE);
    m_pUsedEdit->m_nFilterMode = m_nInputType;
    if (!m_Title.IsEmpty())
        SetWindowText(m_Title.GetText());
    if (HWND prompt = GetDlgItem(IDC_INPUT_PROMPT))
        ::SetWindowTextW(prompt, m_Prompt.GetText());
    if (HWND field = m_pUsedEdit->GetSafeHwnd()) {
        ::SetWindowTextW(field, m_InitialText.GetText());
        ::SendMessageW(field, EM_SETSEL, 0, -1);
        ::SendMessageW(field, EM_SCROLLCARET, 0, 0);
    }
    return TRUE;
}

void CRDlg_Input::OnOK() {
    if (m_pUsedEdit != nullptr && m_pUsedEdit->GetSafeHwnd() != nullptr)
        m_Result = m_pUsedEdit->GetWindowText();
    else
        m_Result.Empty();
    EndDialog(IDOK);
}

namespace rg_lch_MFCjm_jb {

bool InputText(const CRixWinControl* control, CWString& out, const CWString& prompt,
               const CWString& title, const CWString& initial_text) {
    HWND owner = control != nullptr ? control->GetSafeHwnd() : nullptr;
    CRDlg_Input dialog(prompt.IsEmpty() ? IDD_INPUT_PLAIN : IDD_INPUT_PROMPT, owner);
    dialog.m_Title = title;
    dialog.m_Prompt = prompt;
    dialog.m_InitialText = initial_text;
    dialog.m_nInputType = CRDlg_Input::kText;
    if (dialog.HasTemplate() && dialog.DoModal() == IDOK) {
        out = dialog.m_Result;
        return true;
    }
    out.Empty();
    return false;
}

} // namespace rg_lch_MFCjm_jb
