// The simulated up-down control.
#include "platform/sim/sim_updown.h"

#include <algorithm>

#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_mouse.h"

namespace sim::detail {

namespace {

constexpr int kLowerSlot = 0;
constexpr int kUpperSlot = sizeof(LONG_PTR);
constexpr int kPosSlot = 2 * sizeof(LONG_PTR);

int Get(HWND hwnd, int slot) {
    return static_cast<int>(GetWindowLongPtrW(hwnd, slot));
}

void Set(HWND hwnd, int slot, int value) {
    SetWindowLongPtrW(hwnd, slot, value);
}

// One press of an arrow: up steps towards the upper limit.
void Press(HWND hwnd, bool up) {
    int lower = Get(hwnd, kLowerSlot);
    int upper = Get(hwnd, kUpperSlot);
    int delta = (up == (upper >= lower)) ? 1 : -1;
    NMUPDOWN notify{};
    notify.hdr.hwndFrom = hwnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrW(hwnd, GWLP_ID));
    notify.hdr.code = UDN_DELTAPOS;
    notify.iPos = Get(hwnd, kPosSlot);
    notify.iDelta = delta;
    HWND parent = GetParent(hwnd);
    if (parent == nullptr)
        return;
    if (SendMessageW(parent, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify)) != 0)
        return;
    if (!IsWindow(hwnd))
        return;
    int low = std::min(lower, upper);
    int high = std::max(lower, upper);
    Set(hwnd, kPosSlot, std::clamp(notify.iPos + notify.iDelta, low, high));
}

} // namespace

LRESULT CALLBACK SimUpDownProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_NCCREATE:
        // Windows starts with the range 100 to 0.
        Set(hwnd, kLowerSlot, 100);
        Set(hwnd, kUpperSlot, 0);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_LBUTTONDOWN: {
        if (!IsWindowEnabled(hwnd))
            return 0;
        RECT client{};
        GetClientRect(hwnd, &client);
        auto y = static_cast<short>(HIWORD(lparam));
        Press(hwnd, y < (client.bottom - client.top) / 2);
        return 0;
    }
    case UDM_SETRANGE:
        Set(hwnd, kLowerSlot, static_cast<short>(HIWORD(lparam)));
        Set(hwnd, kUpperSlot, static_cast<short>(LOWORD(lparam)));
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(Get(hwnd, kUpperSlot)),
                        static_cast<WORD>(Get(hwnd, kLowerSlot)));
    case UDM_SETRANGE32:
        Set(hwnd, kLowerSlot, static_cast<int>(wparam));
        Set(hwnd, kUpperSlot, static_cast<int>(lparam));
        return 0;
    case UDM_GETRANGE32:
        if (wparam != 0)
            *reinterpret_cast<int*>(wparam) = Get(hwnd, kLowerSlot);
        if (lparam != 0)
            *reinterpret_cast<int*>(lparam) = Get(hwnd, kUpperSlot);
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        int old = Get(hwnd, kPosSlot);
        Set(hwnd, kPosSlot,
            message == UDM_SETPOS ? static_cast<short>(LOWORD(lparam)) : static_cast<int>(lparam));
        return old;
    }
    case UDM_GETPOS:
        return MAKELONG(static_cast<WORD>(Get(hwnd, kPosSlot)), 0);
    case UDM_GETPOS32:
        if (lparam != 0)
            *reinterpret_cast<BOOL*>(lparam) = FALSE;
        return Get(hwnd, kPosSlot);
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace sim::detail
