// CRixDialog: a dialog window object, our own MFC-style dialog class over the Win32 subset.
//
// The dialog is created from a template (built in memory or loaded from a dialog resource, see
// dialog_template.h) with CreateDialogIndirectParamW and the system's dialog class. The object
// is bound to the window at the first message its dialog procedure receives, which comes
// before WM_INITDIALOG (WM_SETFONT on Windows, WM_INITDIALOG itself when nothing comes
// earlier): it subclasses the window, so from then on every message reaches WindowProc, and
// the default processing is the system's dialog procedure.
//
// WM_INITDIALOG calls OnInitDialog, whose default binds the controls (DoDataExchange, where a
// derived class calls BindControl for its control objects) and answers TRUE, so that the
// dialog manager focuses the first tab stop. IDOK and IDCANCEL commands (buttons, Enter, Esc,
// closing) call OnOK and OnCancel, which end the dialog with IDOK and IDCANCEL.
//
// DoModal disables the owner, creates the dialog, runs the modal loop (modal_loop.h) until
// EndDialog, then enables and activates the owner again, destroys the dialog, gives the focus
// back to the window that had it, and answers the EndDialog result: -1 when the dialog could
// not be created or its loop was aborted (WM_QUIT, the window destroyed from outside). Create
// makes a modeless dialog instead; its keys reach the dialog manager through the object's
// pre-translation, and EndDialog hides it.
//
// User-interface thread only.
#pragma once

#include "platform/platform.h"
#include "runtime/ui/native/dialog_template.h"
#include "runtime/ui/native/modal_loop.h"
#include "runtime/ui/native/rix_wnd.h"

class CRixDialog : public CRixWnd {
public:
    // owner: the window that owns the dialog and is disabled while it is modal (its top-level
    // window when it is a child), or null.
    explicit CRixDialog(HWND owner = nullptr) : m_hWndOwner(owner) {}
    ~CRixDialog() override = default;

    // Attributes
    //
    // The template the dialog is created from; build it in memory here, or load it.
    CRixDialogTemplate& Template() { return m_template; }
    // Loads the template from the dialog resource id of module (null: the program).
    BOOL LoadTemplate(UINT id, HINSTANCE module = nullptr);
    void SetOwner(HWND owner) { m_hWndOwner = owner; }
    HWND GetOwner() const { return m_hWndOwner; }
    // The control id of the dialog, or null.
    HWND GetDlgItem(int id) const;
    // Whether the dialog runs modally now (from creation to the end of DoModal).
    bool IsModal() const { return m_bModal; }

    // Operations
    //
    // Runs the dialog modally; see the header comment.
    INT_PTR DoModal();
    // Creates the dialog modeless from the template. FALSE when this object has a window
    // already or the dialog cannot be created.
    BOOL Create();
    BOOL CreateIndirect(LPCDLGTEMPLATEW dialog_template, HWND owner);
    // Ends the modal loop with result (also from OnInitDialog, before the loop runs); a
    // modeless dialog is ended (hidden) with ::EndDialog.
    void EndDialog(int result);
    // DDX_Control: binds a control of the dialog to a window object by subclassing it. TRUE
    // when the control exists and is (or already was) bound to control.
    BOOL BindControl(int id, CRixWnd& control);

    // The modal loop of this dialog.
    int RunModalLoop();
    void EndModalLoop(int result);
    bool ContinueModal() const { return m_loop.IsRunning(); }

    // Message handling
    //
    // The default binds the controls and answers TRUE (focus to the first tab stop).
    virtual BOOL OnInitDialog();
    // Binds the dialog's controls to their objects through BindControl.
    virtual void DoDataExchange() {}
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    // Keyboard messages for the dialog and its controls go to the dialog manager (Tab, Enter,
    // Esc); translators of the controls below have had them first.
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    CRixDialogTemplate m_template;
    HWND m_hWndOwner = nullptr;
    CRixModalLoop m_loop;
    bool m_bModal = false;
};
