// The table of device-context records of the simulated backend (sim_dc_state.h).
#include "platform/sim/sim_dc_state.h"

#include <unordered_map>

namespace sim::detail {

namespace {

// Guarded by PaintLock(). Made on first use, like the GDI object table: contexts may be asked
// for during static initialisation.
std::unordered_map<HDC, DcState>& Table() {
    static std::unordered_map<HDC, DcState> table;
    return table;
}

} // namespace

std::mutex& PaintLock() {
    static std::mutex lock;
    return lock;
}

DcState& DcStateOf(HDC hdc) {
    return Table()[hdc];
}

DcState* FindDcState(HDC hdc) {
    auto it = Table().find(hdc);
    return it != Table().end() ? &it->second : nullptr;
}

DcState* WindowDcState(HDC hdc) {
    DcState* state = FindDcState(hdc);
    return state != nullptr && state->window.hwnd != nullptr ? state : nullptr;
}

} // namespace sim::detail
