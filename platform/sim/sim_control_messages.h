// Messages between controls and their parents in the simulated backend: notifications
// (WM_COMMAND codes, WM_NOTIFY with its header), the colour messages a parent receives from
// its controls, and the button messages and states.
#pragma once

#include "platform/sim/sim_types.h"

#define WM_NOTIFY 0x004E
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138

typedef struct tagNMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
} NMHDR, *LPNMHDR;

// Buttons (sim_button.cpp).
#define BS_PUSHBUTTON 0x00000000L
#define BS_CHECKBOX 0x00000002L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_GROUPBOX 0x00000007L
#define BS_MULTILINE 0x00002000L
#define BN_CLICKED 0
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BST_UNCHECKED 0x0000
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008
