// Window frames, window order and the messages of top-level windows in the simulated backend.
//
// Simulated windows draw no frame: a window's client area is its whole rectangle. So the
// frame metrics are fixed at zero on every side whatever the styles, and AdjustWindowRectEx
// leaves the rectangle as it is. Callers that size a window from a client size get exactly
// that client size, as on Windows; only the outer size differs between the backends.
//
// WM_SETICON keeps the small and big icon of a window (DefWindowProcW), WM_GETICON answers
// them, and WM_QUERYENDSESSION is allowed by default.
#pragma once

#include "platform/sim/sim_types.h"

#define WM_QUERYENDSESSION 0x0011
#define WM_GETMINMAXINFO 0x0024
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_CONTEXTMENU 0x007B
#define WM_NCLBUTTONDOWN 0x00A1

// Hit-test code of the title bar.
#define HTCAPTION 2
#define WM_MENUSELECT 0x011F

// WM_MENUSELECT flag of a system-menu item (MF_POPUP is in sim_menu.h).
#define MF_SYSMENU 0x00002000L

#define ICON_SMALL 0
#define ICON_BIG 1

#define GW_HWNDFIRST 0
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_CHILD 5

typedef struct tagMINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
} MINMAXINFO, *PMINMAXINFO, *LPMINMAXINFO;

// The frame metrics are zero: TRUE and the rectangle unchanged (FALSE for a null rectangle).
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style);
// GW_CHILD: the first child in z-order; GW_HWNDNEXT: the next sibling (the next top-level
// window for a top-level one); GW_HWNDPREV: the sibling before it; GW_HWNDFIRST: the first
// of the window's siblings.
HWND GetWindow(HWND hwnd, UINT command);
// Moves a child window to another parent, keeping its place relative to the parent's client
// area, at the top of the new siblings; answers the previous parent. Top-level windows and
// a parent that is the window itself or one of its descendants are refused (null).
HWND SetParent(HWND child, HWND new_parent);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
