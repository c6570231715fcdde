// CRixStdControlWnd: what the native windows of the standard controls (button, edit, list
// and combo box) share over CRixListenerWnd:
//
// - the colours (control_colours.h): a reflected WM_CTLCOLOR* sets the context's text and
//   background colours from the fields and answers the background brush;
// - the focus events of controls that report focus by notification (edit, list and combo
//   boxes): the reflected set-focus and kill-focus codes of WM_COMMAND become WM_SETFOCUS and
//   WM_KILLFOCUS for the listener (GotFocus, LostFocus). Before LostFocus is reported,
//   BeforeLostFocus runs (the edit box rewrites its text there). Buttons report focus through
//   their sent WM_SETFOCUS/WM_KILLFOCUS instead;
// - the other reflected notifications, handed to OnReflectedCommand and OnReflectedNotify.
//
// Main thread only (the listener field excepted, see listener_wnd.h).
#pragma once

#include <cstdint>

#include "runtime/ui/control_colours.h"
#include "runtime/ui/listener_wnd.h"

class CRixStdControlWnd : public CRixListenerWnd {
public:
    // Focus by sent messages (buttons).
    CRixStdControlWnd(uint32_t text, uint32_t back, uint32_t brush_colour);
    // Focus by the reflected notification codes (EN_, LBN_, CBN_SETFOCUS and KILLFOCUS).
    CRixStdControlWnd(uint32_t text, uint32_t back, uint32_t brush_colour, WORD set_focus_code,
                      WORD kill_focus_code);

    BOOL OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

    CRixCtlColours m_Colours;

protected:
    // A reflected WM_COMMAND notification (other than the focus codes): TRUE when handled,
    // with *result the parent's answer. The control's listener may destroy the window in
    // here; check IsWindow on a local handle after calling it.
    virtual BOOL OnReflectedCommand(WORD code, LRESULT* result);
    // A reflected WM_NOTIFY; the same rules.
    virtual BOOL OnReflectedNotify(const NMHDR* header, LRESULT* result);
    // Runs when the control lost the focus, before LostFocus is reported.
    virtual void BeforeLostFocus() {}

private:
    bool m_bFocusByNotification;
    WORD m_nSetFocusCode = 0;
    WORD m_nKillFocusCode = 0;
};
