// Menus and accelerator tables of the simulated backend.
//
// A menu is a record of items (text, id, flags, sub-menu) behind a handle; handles of menus
// and of accelerator tables are never reused, so a stale one fails instead of reaching another
// record. Like on Windows, menus belong to the process, not to a thread, and destroying a menu
// destroys the sub-menus its items open.
//
// Nobody sits in front of the simulation to pick an item: TrackPopupMenu takes the choice a
// test queued in advance (sim_testing.h) and records where, with which flags and for which
// owner the menu was shown. TranslateAcceleratorW matches key-down messages against a table
// with the modifiers that GetKeyState reports.
#pragma once

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_types.h"
#include "platform/sim/sim_window.h"

// AppendMenuW flags and the bits GetMenuState reports.
#define MF_INSERT 0x00000000L
#define MF_STRING 0x00000000L
#define MF_ENABLED 0x00000000L
#define MF_UNCHECKED 0x00000000L
#define MF_BYCOMMAND 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_CHECKED 0x00000008L
#define MF_POPUP 0x00000010L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L

// TrackPopupMenu flags.
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_TOPALIGN 0x0000L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

// Accelerator entry flags.
#define FVIRTKEY TRUE
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

#define ERROR_INVALID_MENU_HANDLE 1401L
#define ERROR_INVALID_ACCEL_HANDLE 1403L

typedef struct tagACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
} ACCEL, *LPACCEL;

// Callers rely on the record layout of Windows.
static_assert(sizeof(ACCEL) == 6, "ACCEL must have its Windows size");

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Appends a string item (MF_STRING, with MF_CHECKED and MF_GRAYED/MF_DISABLED), a separator
// (MF_SEPARATOR) or an item that opens the menu passed as id (MF_POPUP).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_RESTORE 0xF120

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
// Destroys the menu and, through its MF_POPUP items, every sub-menu below it.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// The menu bar of a window that is not a child (WS_CHILD without WS_POPUP): the menu given
// to CreateWindowExW or SetMenu, or null. Null for a child window.
HMENU GetMenu(HWND hwnd);
// Makes menu (or none) the menu bar of a window that is not a child and recalculates its frame
// (SWP_FRAMECHANGED); the menu it replaces is left alone. FALSE for a child window
// (ERROR_INVALID_WINDOW_HANDLE, as Wine) or a menu that does not exist. As on Windows, the menu
// bar a window still has when it is destroyed is destroyed with it.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetSubMenu(HMENU menu, int position);
// Removes an item by position (MF_BYPOSITION) or by command id (searched through the
// sub-menus); a sub-menu it opens is destroyed with it.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
// The window's own copy of the system menu (Restore, Move, Size, Minimize, Maximize, a
// separator, Close), made on first use; revert drops the copy and answers null. Null for a
// window without WS_SYSMENU. The copies live until the process ends.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

// Reading items back.
int GetMenuItemCount(HMENU menu);
// The item's id; (UINT)-1 for an item that opens a sub-menu or a position out of range.
UINT GetMenuItemID(HMENU menu, int position);
// Item by position (MF_BYPOSITION) or by command id, searched through the sub-menus too.
// Copies up to max_count - 1 units and a terminator; without a buffer (or with max_count 0)
// answers the length. Separators have no text.
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int max_count, UINT flags);
// The item's flags (MF_CHECKED, MF_GRAYED, MF_SEPARATOR, ...); for an item that opens a
// sub-menu, the sub-menu's item count in the high byte and the flags in the low byte;
// (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);

// Shows the menu for owner at x, y (screen) and answers the choice queued by the test: with
// TPM_RETURNCMD the chosen id (0 when the menu was dismissed); otherwise TRUE, and a chosen
// id arrives at the owner as a posted WM_COMMAND (id in the low word, 0 in the high word).
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);

HACCEL CreateAcceleratorTableW(LPACCEL entries, int count);
// With a buffer copies up to count entries and answers how many; without one answers the
// number of entries in the table.
int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// A WM_KEYDOWN or WM_SYSKEYDOWN whose key matches a virtual-key entry of the table, with Shift,
// Ctrl and Alt as GetKeyState reports them now, is sent to hwnd as WM_COMMAND with the entry's
// command in the low word and 1 in the high word; answers 1 then, else 0.
int TranslateAcceleratorW(HWND hwnd, HACCEL table, LPMSG msg);
