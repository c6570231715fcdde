// CRixEnvelopeDialog: the dialog that shows a form modally. The form window is created as a
// child filling the dialog's client area, so the dialog's frame, title, icon and modal loop
// stand for the form's own while it runs.
//
// The dialog comes from an in-memory template with no controls, place and size 0 and no
// title, and runs in our own modal loop (CRixDialog::DoModal, native/modal_loop.h). Its
// initialisation turns the form's outer rectangle (x, y, width, height of the creation
// parameters) into the client rectangle the form would have had, sizes the dialog around that
// with its own frame, creates the form window inside (ending the dialog with -1 when that
// fails), hands the default push button on (DM_SETDEFID), focuses the form and fires the
// form's EnvelopeReady.
//
// While it runs the dialog keeps the form filling its client area, passes its focus to the
// form, asks the form's close check on WM_CLOSE and QueryDestroy on a shut-down query, reports
// its menu selection and size limits as the form's, and gives menu commands to the form's
// Command event first. Esc and Cancel end it with -1. The form talks to it with message
// 0xA001 (form_wnd.h): the form window was destroyed (end with -1), show or hide, end with a
// result, set the title.
//
// A form with a menu shows its bar in the dialog's frame (the dialog is sized with it) and
// keeps the menu object for its accelerators; the bar is taken off the dialog as it goes, since
// Windows would destroy it with the window and the bar belongs to the menu object.
//
// The dialog does not own the form or its parameters; CRixWinForm::CreateNativeWindow makes
// it on the stack and it lives as long as the modal run. While it runs it works on the form's
// native window object, which the run holds alive (CRixWnd::KeepAlive), never on the form
// object: a handler may delete or reset the form object meanwhile (its window then goes, and
// the dialog ends with -1). The form object is used only to create the form window during the
// initialisation. Main thread only.
#pragma once

#include "runtime/ui/create_params.h"
#include "runtime/ui/form_wnd.h"
#include "runtime/ui/native/dialog.h"

namespace rg_lch_MFCjm_jb {
class CRixWinForm;
}

class CRixEnvelopeDialog : public CRixDialog {
public:
    // owner: the window disabled while the form runs, or null. form_wnd: the form's native
    // window object, which the caller holds alive for the run.
    CRixEnvelopeDialog(HWND owner, rg_lch_MFCjm_jb::CRixWinForm& form, CRWnd_WinForm& form_wnd,
                       CreateParams& params);

    BOOL OnInitDialog() override;
    void OnCancel() override { EndDialog(-1); }
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    // Esc ends the dialog with -1; other keys go to the dialog manager.
    BOOL PreTranslateMessage(MSG* msg) override;

    bool IsDestroyed() const { return m_bDestroyed; }

private:
    LRESULT OnEnvelopeMessage(WPARAM wparam, LPARAM lparam);
    // The form's window, or null while it has none.
    HWND FormHwnd() const;
    // Turns the form's outer rectangle into the client rectangle it would have.
    RECT FormClientRect() const;

    rg_lch_MFCjm_jb::CRixWinForm& m_form; // not owned; used in OnInitDialog only
    CRWnd_WinForm& m_formWnd;             // not owned; held alive by the modal run
    CreateParams& m_params;               // not owned
    HMENU m_hMenuBar = nullptr; // the form's menu bar while the dialog shows it (not owned)
    bool m_bDestroyed = false;
    bool m_bMainWindow = false; // the dialog stands in as the application's main window
};
