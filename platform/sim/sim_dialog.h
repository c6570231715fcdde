// Dialogs of the simulated backend: dialog windows built from in-memory templates, the default
// dialog procedure and the dialog manager's keyboard interface.
//
// CreateDialogIndirectParamW reads a DLGTEMPLATE (the extended form is not read), creates the
// dialog window (class "#32770" unless the template names one), sends it the font of a
// DS_SETFONT template (a font record made for it), creates one child per item at the item's
// place converted from dialog units and sends each the font, and sends WM_INITDIALOG; a
// nonzero answer puts the focus on the first tab stop. The dialog is shown last when the
// template has WS_VISIBLE.
//
// Dialog units: Windows converts them with the average character size of the dialog's font,
// so the pixels differ between fonts and systems. The simulation uses fixed base units: 6 by
// 13 pixels for a template with a font (about what "MS Shell Dlg" 8 points gives at 96 dots
// per inch) and 8 by 16 for one without (the system font). x pixels = x units * 6 / 4 and y
// pixels = y units * 13 / 8, rounded to nearest. Tests compute expected pixels with
// MapDialogRect on each backend rather than comparing numbers across them.
//
// IsDialogMessageW handles, for the dialog and its descendants: Tab and Shift+Tab among the
// WS_TABSTOP controls (through WM_NEXTDLGCTL for a dialog; for any other window, such as a
// form, by moving the focus itself, selecting all of an edit's text), Enter as WM_COMMAND of the
// focused push button, else of the default push button (DM_GETDEFID), else of IDOK, and Esc as
// WM_COMMAND IDCANCEL; a control that asks for the keys through WM_GETDLGCODE keeps them. Every
// other message for the dialog is translated and dispatched by IsDialogMessageW itself, as on
// Windows.
// FIXME: arrow keys within a group of controls and mnemonics (Alt+O for "&O") are not handled.
#pragma once

#include "platform/sim/sim_control_messages.h"
#include "platform/sim/sim_window.h"

// Templates are packed to two bytes, as in the Windows headers.
#pragma pack(push, 2)
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE;

typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)

static_assert(sizeof(DLGTEMPLATE) == 18, "DLGTEMPLATE must have its Windows size");
static_assert(sizeof(DLGITEMTEMPLATE) == 18, "DLGITEMTEMPLATE must have its Windows size");

typedef const DLGTEMPLATE* LPCDLGTEMPLATEW;
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

#define WM_NEXTDLGCTL 0x0028
#define WM_INITDIALOG 0x0110

#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_CONTROLPARENT 0x00010000L

// The dialog's window longs (DLGWINDOWEXTRA bytes of a dialog class).
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define DLGWINDOWEXTRA 30

// Styles of the system controls that templates name.
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_TYPEMASK 0x0000000FL
#define ES_LEFT 0x0000L
#define ES_PASSWORD 0x0020L
#define ES_AUTOHSCROLL 0x0080L
#define SS_LEFT 0x00000000L
#define SS_SUNKEN 0x00001000L

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog_template, HWND owner,
                                DLGPROC dialog_proc, LPARAM init_param);
LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Marks a modeless dialog ended and hides it; the window stays until it is destroyed.
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
// The next (or previous) WS_TABSTOP control after ctl among the dialog's visible, enabled
// children, wrapping around; ctl null starts at the first.
HWND GetNextDlgTabItem(HWND dialog, HWND ctl, BOOL previous);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int max_count);
