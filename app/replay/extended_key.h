// The scan code and the extended-key flag with which the replay sends a key. A replayed key
// carries the flag (KEYEVENTF_EXTENDEDKEY) where a keyboard sends the key with the E0 prefix,
// so that a program reading scan codes sees the arrow key, not the keypad key that shares its
// scan code, and the volume or browser key, not the letter key of the same number.
#pragma once

#include "platform/platform.h"

// True for the arrow keys, Home, End, Page Up, Page Down, Insert, Delete, the right Ctrl and
// Alt, the Windows and menu keys, keypad divide and Num Lock: the keys that are extended on
// every keyboard, whatever the layout answers for them.
bool IsExtendedKey(BYTE vk);

struct KeyScan {
    BYTE scan = 0;
    bool extended = false;
};

// The layout's answer first: MapVirtualKeyW(vk, MAPVK_VK_TO_VSC_EX) gives the scan code in its
// low byte and the prefix in its high byte, E0 meaning extended. Where it gives nothing (a key
// the layout lacks, or a system without that mapping), MAPVK_VK_TO_VSC. The table of
// IsExtendedKey adds the flag where the answer has no prefix (Wine answers the arrows with
// their keypad twin's code). A key of the E1 prefix (Pause) goes without the flag and with the
// code MAPVK_VK_TO_VSC gives: its E1 sequence cannot be sent as one key event, and E1 1D sent
// as an extended key would be the right Ctrl.
KeyScan KeyScanCode(BYTE vk);
