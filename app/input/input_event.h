// InputEvent: one key or mouse event as the global hook saw it, with what a recording needs:
// its kind, the key or button, the cursor point of a mouse event, whether it was injected,
// and the performance-counter time of the hook call (the records' own time stamps move in
// steps of the 16 ms system tick, too coarse for the delays between events).
#pragma once

#include <cstdint>

enum class InputKind : uint8_t { KeyDown, KeyUp, ButtonDown, ButtonUp, Move };

struct InputEvent {
    InputKind kind = InputKind::Move;
    // Keys: the virtual-key code as the hook reports it (left and right modifiers apart);
    // buttons: 1 left, 2 right, 3 middle; moves: 0.
    int32_t code = 0;
    // Mouse events: the cursor in screen pixels; keys: 0, 0.
    int32_t x = 0;
    int32_t y = 0;
    bool injected = false;
    // QueryPerformanceCounter at the hook call.
    int64_t time = 0;
};
