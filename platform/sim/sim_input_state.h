// Internal to the simulated backend: the bridge between the input stream (sim_input.cpp) and
// the message queues. An event that no low-level hook swallows is handed on as a message for
// the queue of the window it concerns, with the key state as it was before the event, which
// is what GetKeyState answers on that thread until the thread has retrieved the message.
#pragma once

#include <array>

#include "platform/sim/sim_window.h"

namespace sim::detail {

// Per virtual-key code: 0x80 held, 0x01 toggled.
using KeyState = std::array<BYTE, 256>;

// A copy of the stream's key state (what GetAsyncKeyState reads).
KeyState AsyncKeyState();

// Called with no lock held, in the order of the events. The key message goes to the focus
// window of the foreground window's thread (sim_keyboard.cpp); a mouse event becomes the
// message for the window under the point or the capture (sim_mouse.cpp).
void DeliverKey(UINT message, WPARAM vk, LPARAM lparam, const KeyState& before, DWORD time,
                POINT cursor);
void DeliverMouse(UINT message, POINT cursor, DWORD wheel_data, const KeyState& before,
                  const KeyState& after, DWORD time);

} // namespace sim::detail
