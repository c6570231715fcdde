// Key codes and the key-name table of the window framework.
//
// A key code holds a virtual-key code in its low 8 bits and the modifiers as bits above it:
// 0x2000 Ctrl, 0x4000 Alt, 0x8000 Shift. 0 means no usable key. The one table of key names
// serves control keyboard events, form accelerators, menu shortcuts and the application's
// key texts alike.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

constexpr uint32_t kKeyCtrl = 0x2000;
constexpr uint32_t kKeyAlt = 0x4000;
constexpr uint32_t kKeyShift = 0x8000;

// The table's entry for the low 8 bits of code: a zero-terminated constant text, empty
// (never null) for a key without a name.
const WCHAR* KeyNameText(int64_t code);
// The same entry as a text that borrows the table's constant.
CWString KeyName(int64_t code);

// The key code of a key message's wParam (only its low 8 bits count): keypad digits,
// minus, point and slash become the main keys; a key without a name gives 0; the modifiers
// held at the time of the call are added, except the modifier that is the key itself.
uint32_t KeyCodeFromVirtualKey(WPARAM v);
