// Picks an item of a combo box as a user would with the mouse, the same way on both
// backends: the list drops down, the item is clicked, the list closes. The simulation does it
// through its test interface; on Windows the combo box's own list window is clicked on the
// item. The notifications arrive at the combo box's parent during the call; what they post
// is left in the queue.
#pragma once

#include "platform/platform.h"

// False when there is no such item or the list could not be reached.
bool PickComboItem(HWND combo, int index);
