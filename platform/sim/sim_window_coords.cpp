// Coordinate conversions of the simulated backend. Without frames a window's client area
// starts at its top left corner, so a window's client origin on the screen is the sum of the
// origins of its rectangle and those of its parents.
#include "platform/sim/sim_window.h"

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace sim::detail {

bool ClientOrigin(HWND hwnd, POINT* origin) {
    *origin = {0, 0};
    if (hwnd == nullptr)
        return true; // the screen
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr)
        return false;
    for (; window != nullptr; window = FindWindowRecord(window->parent)) {
        origin->x += window->rect.left;
        origin->y += window->rect.top;
    }
    return true;
}

} // namespace sim::detail

namespace {

// The offset that takes points from one window's client area to another's; false when a
// window is not valid.
bool Offset(HWND from, HWND to, POINT* offset) {
    std::lock_guard<std::mutex> lock(Lock());
    POINT a, b;
    if (!ClientOrigin(from, &a) || !ClientOrigin(to, &b)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    *offset = {a.x - b.x, a.y - b.y};
    return true;
}

} // namespace

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    POINT offset;
    if (hwnd == nullptr || point == nullptr || !Offset(nullptr, hwnd, &offset))
        return FALSE;
    point->x += offset.x;
    point->y += offset.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    POINT offset;
    if (hwnd == nullptr || point == nullptr || !Offset(hwnd, nullptr, &offset))
        return FALSE;
    point->x += offset.x;
    point->y += offset.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT offset;
    if (!Offset(from, to, &offset))
        return 0;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += offset.x;
        points[i].y += offset.y;
    }
    return MAKELONG(offset.x, offset.y);
}
