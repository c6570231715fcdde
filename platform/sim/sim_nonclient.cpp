// A window's device context in the simulated backend.
#include "platform/sim/sim_nonclient.h"

HDC GetWindowDC(HWND hwnd) {
    return GetDC(hwnd);
}
