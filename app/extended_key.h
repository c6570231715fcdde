// Which keys a keyboard sends with the extended-key prefix. A replayed key carries the same
// flag (KEYEVENTF_EXTENDEDKEY), so that a program reading scan codes sees the arrow key, not
// the keypad key that shares its scan code.
#pragma once

#include "platform/platform.h"

// True for the arrow keys, Home, End, Page Up, Page Down, Insert, Delete, the right Ctrl and
// Alt, the Windows and menu keys, keypad divide and Num Lock.
bool IsExtendedKey(BYTE vk);
