// The simulated EDIT class: a single-line or multi-line text field with its window text, a
// selection, read-only state, a text limit and a password character. Typed characters arrive
// as WM_CHAR (Backspace deletes); EN_SETFOCUS, EN_KILLFOCUS and EN_CHANGE go to the parent as
// WM_COMMAND, EN_CHANGE after every change of the text (WM_SETTEXT of a single-line edit too,
// as on Windows). Text past the limit is refused with EN_MAXTEXT; WM_SETTEXT is not limited.
// Nothing is drawn; keys other than characters (arrows, Delete) are not simulated.
#pragma once

#include "platform/sim/sim_control_messages.h"
#include "platform/sim/sim_window.h"

#define ES_MULTILINE 0x0004L
#define ES_AUTOVSCROLL 0x0040L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L

#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_SCROLLCARET 0x00B7
#define EM_REPLACESEL 0x00C2
#define EM_LIMITTEXT 0x00C5
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_SETREADONLY 0x00CF
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_GETLIMITTEXT 0x00D5

#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_MAXTEXT 0x0501

namespace sim::detail {

// The EDIT class's bytes: its font, then its state.
constexpr int kEditExtraBytes = 2 * sizeof(LONG_PTR);

LRESULT CALLBACK SimEditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace sim::detail
