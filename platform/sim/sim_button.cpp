// The simulated push button.
#include "platform/sim/sim_button.h"

#include "platform/sim/sim_control_messages.h"
#include "platform/sim/sim_input.h"

namespace sim::detail {

namespace {

LONG_PTR State(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, 0);
}

void SetPushed(HWND hwnd, bool pushed) {
    LONG_PTR state = State(hwnd);
    SetWindowLongPtrW(hwnd, 0, pushed ? (state | BST_PUSHED) : (state & ~LONG_PTR{BST_PUSHED}));
}

bool InsideClient(HWND hwnd, LPARAM lparam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    auto x = static_cast<short>(LOWORD(lparam));
    auto y = static_cast<short>(HIWORD(lparam));
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

void Click(HWND hwnd) {
    auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

} // namespace

LRESULT CALLBACK SimButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    // A push button takes the second press of a double click as a press, as on Windows, so
    // two quick clicks click it twice.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetPushed(hwnd, true);
        return 0;
    case WM_LBUTTONUP: {
        bool was_pushed = (State(hwnd) & BST_PUSHED) != 0;
        SetPushed(hwnd, false);
        if (was_pushed && InsideClient(hwnd, lparam))
            Click(hwnd);
        return 0;
    }
    // Space presses the button as the left button does; its release clicks it.
    case WM_KEYDOWN:
        if (wparam == VK_SPACE)
            SetPushed(hwnd, true);
        return 0;
    case WM_KEYUP:
        if (wparam == VK_SPACE && (State(hwnd) & BST_PUSHED) != 0) {
            SetPushed(hwnd, false);
            Click(hwnd);
        }
        return 0;
    case BM_GETSTATE:
        return State(hwnd);
    case BM_SETSTATE:
        SetPushed(hwnd, wparam != 0);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace sim::detail
