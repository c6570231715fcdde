// CRWnd_WinForm: the native window of a form, a top-level container window. Besides the
// container's reports it runs the close check (WM_CLOSE asks QueryClose and then
// QueryDestroy; a shut-down query asks only QueryDestroy), the activation events, the menu
// selection, the size limits, the default push button answer (DM_GETDEFID), the private
// message 0xA000 and the form's pre-translation of queued messages: the form's filter, Esc
// that closes, keys for disabled windows, dragging by the client area, the accelerators of
// the form's menu, F1 for the help file, Alt+F4 (which closes the form whatever control has
// the focus) and the dialog manager's keyboard interface. The dialog manager's IDOK and
// IDCANCEL for Enter and Esc without a control to stand for them are not commands.
//
// While the dialog manager handles an Enter key-down (Enter pending), a WM_COMMAND from a
// child button reaches the child (reflection) and the form only when it is the default push
// button (class "Button", BS_DEFPUSHBUTTON); any other button's command is swallowed with
// the answer 1, so that Enter clicks the default button and no other. Commands of other
// controls go through: a dropped combo box commits the user's pick on Enter.
//
// WM_COPYDATA goes to the form (OnCopyData) with the sender's tag and bytes, and its answer
// back to the sender.
//
// WM_DPICHANGED goes to the form (OnDpiChanged) with the new DPI and the suggested rectangle;
// the form moves there and lays itself out again.
//
// The window's shape (rectangle, ellipse, rounded rectangle) is a window region, set again on
// every size change. On destruction the form removes its notification-area icon, closes the
// help it opened and tells its envelope dialog (modal forms, envelope_dialog.h).
//
// The fields are the form's properties; the application sets them before or after creation.
// Main thread only; the activation re-entry flag is one plain process-wide flag of that
// thread.
#pragma once

#include <cstdint>

#include "runtime/core/wstring.h"
#include "runtime/ui/container_wnd.h"

class CRefRixMenu;

// Private messages of the framework.
inline constexpr UINT kTrayNotifyMessage = 0xA000; // to the form: wParam -, lParam mouse message
inline constexpr UINT kEnvelopeMessage = 0xA001;   // to the envelope dialog

// wParam of kEnvelopeMessage.
enum EnvelopeRequest : WPARAM {
    kEnvelopeFormGone = 1, // the form window was destroyed: end with -1
    kEnvelopeShow = 2,     // lParam: show (non-zero) or hide
    kEnvelopeEnd = 3,      // lParam: the dialog's result
    kEnvelopeTitle = 4,    // lParam: the new title (const WCHAR*)
};

// The identifier of the form's notification-area icon.
inline constexpr UINT kTrayIconId = 100;

// The caption a form with a control box gets when it has none of its own.
inline constexpr const WCHAR* kDefaultFormCaption = TEXT("砾川应用程序");

class CRWnd_WinForm : public CRWnd_Container {
public:
    CRWnd_WinForm() = default;
    ~CRWnd_WinForm() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    // Swallows a control's WM_COMMAND while Enter is pending (see the header comment).
    BOOL PreReflectNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

    // Shows or hides the title bar to match the border style, control box and text.
    void UpdateTitleBar();
    // Takes menu as the form's menu (counted); null clears it. A frame window (the envelope
    // when there is one, else the form's own top-level window) that shows the old menu's bar
    // shows the new one's instead.
    void SetMenuObject(CRefRixMenu* menu);
    // Windows destroys the menu bar of a window with the window, but the bar belongs to the
    // menu object, which may still be shared: so the bar is taken off frame (SetMenu null)
    // when frame shows it. Called as the frame window goes.
    void TakeMenuBarOff(HWND frame);
    CRefRixMenu* GetMenuObject() const { return m_pMenu; }
    // Clamps the shape into 0 to 2, stores it and applies it when the window exists.
    void SetShape(int64_t shape);
    // Gives the frame window (the envelope when there is one) the region of the shape.
    void ApplyShape();
    // The close check of WM_CLOSE: true when the listener lets the form close and the window
    // still exists after each handler.
    bool MayClose();
    // WM_MENUSELECT and WM_GETMINMAXINFO as the form reports them; the envelope dialog passes
    // its own on through these. ReportMinMaxInfo runs after the default processing.
    void ReportMenuSelect(WPARAM wparam);
    void ReportMinMaxInfo(LPARAM lparam);

    HWND m_hEnvelope = nullptr;     // the envelope dialog while the form is shown modally
    int64_t m_bActivatedOnce = 0;   // set at the first activation, cleared on destruction
    int64_t m_bHelpShown = 0;       // F1 opened the help file
    int32_t m_nDefaultButtonId = 0; // child id of the default push button; 0 none
    int64_t m_bEnterPending = 0;    // Enter is with the dialog manager
    UINT m_nDialogKey = 0;          // VK_RETURN or VK_ESCAPE while that key-down is with it
    HICON m_hTrayIcon = nullptr;    // owned; only removed (id 100), never added here
    // 0 none, 1 resizable, 2 fixed, 3 resizable tool window, 4 fixed tool window,
    // 5 resizable with sunken client edge, 6 fixed with sunken client edge.
    int64_t m_nBorderStyle = 2;
    int64_t m_bControlBox = 1;
    int64_t m_bMaxBox = 0;
    int64_t m_bMinBox = 1;
    int64_t m_nStartState = 1; // 0 as given, 1 centred, 2 minimised, 3 maximised
    int64_t m_bMovable = 1;
    HICON m_hIcon = nullptr; // not owned; null loads the program's icon 100
    int64_t m_bEscCloses = 1;
    CWString m_HelpFile;
    int64_t m_nHelpContext = 0;
    int64_t m_bDragByClient = 0;
    int64_t m_nShape = 0; // 0 rectangle, 1 ellipse, 2 rounded rectangle (see SetShape)
    int64_t m_bTopmost = 0;
    int64_t m_bKeepCaptionActive = 0;
    CWString m_ClassName; // empty: "RixWinForm"

private:
    IWinFormEventListener* FormListener() const;
    LRESULT OnActivateMessage(WPARAM wparam, LPARAM lparam);
    LRESULT OnMinMaxInfoMessage(WPARAM wparam, LPARAM lparam);
    LRESULT OnGetDefId(WPARAM wparam, LPARAM lparam);
    LRESULT OnDestroyMessage();
    // F1 with a help file that exists: opens the help and answers true.
    bool ShowHelp();

    CRefRixMenu* m_pMenu = nullptr; // counted
};
