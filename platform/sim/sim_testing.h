// Test-only interface of the simulated backend. The message log records every call into a
// window procedure that the simulation makes (sent, dispatched after posting) and every call
// of DefWindowProcW, from all threads, in order, so that tests can pin message sequences. The
// logical resolution of the screen can be set, so that font sizes can be tested at any.
// Pop-up menus are answered by choices the test queues, and every showing is recorded.
#pragma once

#include <cstddef>
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

// The DPI of the one monitor, which GetDpiForWindow answers for every window (96 until set;
// 0 sets 96 again). The system DPI stays what SetLogPixels says.
void SetMonitorDpi(UINT dots_per_inch);
// Makes the process DPI-unaware again, with its awareness not yet set.
void ResetDpiAwareness();

// One TrackPopupMenu call as the simulation saw it.
struct PopupMenuCall {
    HMENU menu;
    UINT flags;
    int x;
    int y;
    HWND owner;
    UINT chosen; // the id that was chosen, 0 when the menu was dismissed
};

// Queues what the user picks in the next pop-up menu shown, first in first out: the id of a
// command item, or 0 to dismiss the menu. A queued id that is not an enabled command item of
// the menu shown dismisses it too, as a click beside the items would. With nothing queued
// the menu is dismissed.
void QueuePopupMenuChoice(UINT id);
// The pop-up menus shown since the last reset, oldest first.
std::vector<PopupMenuCall> PopupMenuCalls();
// Forgets queued choices and recorded calls.
void ResetPopupMenus();
// Menus and accelerator tables not yet destroyed, for leak checks.
size_t LiveMenuCount();
size_t LiveAcceleratorTableCount();

// Makes a window answer GetWindowThreadProcessId with another process id, as a window of
// another program would (the simulation runs one process; 0 makes it this process's again).
void SetWindowProcess(HWND hwnd, DWORD process_id);

} // namespace sim
