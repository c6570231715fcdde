// Hot-key texts: a key code written the way menus show a shortcut ("Ctrl+Shift+F1").
//
// It lives beside the key names because the framework's menus need it for their shortcut
// texts; the application uses the same operation for the key names of its step lines.
#pragma once

#include <cstdint>

#include "runtime/core/wstring.h"

// A key value as a shortcut text: the framework's name of the low byte, preceded by
// "Ctrl", "Shift" and "Alt" joined with "+" for the bits 0x2000, 0x8000 and 0x4000. A value
// without bits above the low byte, or whose low byte has no name, gives just the name.
CWString HotKeyText(int64_t value);
