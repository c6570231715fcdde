// Test-only interface of the simulated backend. The message log records every call into a
// window procedure that the simulation makes (sent, dispatched after posting) and every call
// of DefWindowProcW, from all threads, in order, so that tests can pin message sequences. The
// logical resolution of the screen can be set, so that font sizes can be tested at any.
#pragma once

#include <vector>

#include "platform/sim/sim_types.h"

namespace sim {

enum class MessageRoute {
    Sent,          // a window procedure called for a sent message (also during creation)
    Posted,        // a window procedure called by DispatchMessageW
    DefWindowProc, // the default window procedure was called
};

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    MessageRoute route;
};

// Clears the log and starts recording.
void StartMessageLog();
// Stops recording and hands over what was recorded.
std::vector<LoggedMessage> StopMessageLog();

// The logical resolution that GetDeviceCaps answers for LOGPIXELSX and LOGPIXELSY (96 until
// set; 0 or less sets 96 again).
void SetLogPixels(int dots_per_inch);

} // namespace sim
