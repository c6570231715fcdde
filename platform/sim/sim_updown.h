// The simulated up-down control (class "msctls_updown32"): two arrows, the upper half of the
// window for up, the lower half for down. A left button press on an arrow of an enabled
// control sends UDN_DELTAPOS (WM_NOTIFY, NMUPDOWN) to the parent; when the parent answers 0
// the position moves by the step within the range. The up arrow steps towards the upper
// limit. There is no buddy window, no auto-repeat, no keyboard and no WM_VSCROLL.
#pragma once

#include "platform/sim/sim_control_messages.h"
#include "platform/sim/sim_window.h"

#define UPDOWN_CLASSW u"msctls_updown32"
#define ICC_UPDOWN_CLASS 0x00000010

#define UDS_WRAP 0x0001
#define UDS_ALIGNRIGHT 0x0004
#define UDS_ARROWKEYS 0x0020

#define UDM_SETRANGE (WM_USER + 101)
#define UDM_GETRANGE (WM_USER + 102)
#define UDM_SETPOS (WM_USER + 103)
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)

#define UDN_FIRST (0U - 721U)
#define UDN_DELTAPOS (UDN_FIRST - 1)

typedef struct _NM_UPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
} NMUPDOWN, *LPNMUPDOWN;

namespace sim::detail {

// The up-down's bytes: its range and position.
constexpr int kUpDownExtraBytes = 3 * sizeof(LONG_PTR);

LRESULT CALLBACK SimUpDownProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace sim::detail
