// The input dialog: InputText asks the user for one line of text in a modal dialog
// (CRDlg_Input) made from one of two templates (input_dialog_templates.h), with a prompt above
// the field or without one. Its field is a CREdt_Input, an edit that filters typed characters
// by the dialog's input type.
//
// OK (the button, or Enter through the default push button) hands the field's text back;
// Cancel, Esc and closing the dialog clear the out text.
//
// User-interface thread only.
#pragma once

#include <cstdint>

#include "runtime/core/wstring.h"
#include "runtime/ui/control.h"
#include "runtime/ui/native/dialog.h"

// The field of the input dialog: typed characters (codes 32 and above) are filtered by the
// filter mode: 2 lets "-" and digits through, 3 "-", "." and digits, others everything. A
// refused character beeps (MB_ICONASTERISK) and enters nothing.
class CREdt_Input : public CRixWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    int64_t m_nFilterMode = 1;
};

class CRDlg_Input : public CRixDialog {
public:
    // Input types: 1 plain text, 2 integer, 3 decimal number, 4 password.
    enum : int64_t { kText = 1, kInteger = 2, kDecimal = 3, kPassword = 4 };

    // Loads template_id (IDD_INPUT_PROMPT or IDD_INPUT_PLAIN) from the program's resources.
    CRDlg_Input(UINT template_id, HWND owner);

    // Whether the template was found; a dialog without one cannot be run.
    bool HasTemplate() const { return m_bHasTemplate; }

    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CWString m_Title;       // empty keeps the template's title
    CWString m_Prompt;      // the prompt field's text (template IDD_INPUT_PROMPT)
    CWString m_InitialText; // put into the field at start, selected
    int64_t m_nInputType = kText;
    CWString m_Result; // the field's text when OK was chosen
    CREdt_Input m_PlainEdit;
    CREdt_Input m_PasswordEdit;
    CREdt_Input* m_pUsedEdit = nullptr;

private:
    bool m_bHasTemplate = false;
};

namespace rg_lch_MFCjm_jb {

// Runs the input dialog, owned by the control's window when it has one. True when the user
// confirmed: out is the field's text (empty when the field was). False after Cancel, Esc,
// closing, or a dialog that could not be created: out is empty. An empty prompt picks the
// template without prompt; an empty title keeps the template's.
bool InputText(const CRixWinControl* control, CWString& out, const CWString& prompt,
               const CWString& title, const CWString& initial_text);

} // namespace rg_lch_MFCjm_jb
