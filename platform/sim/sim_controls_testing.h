// Test interface of the simulated standard controls: what a user does to them.
#pragma once

#include "platform/sim/sim_types.h"

namespace sim {

// Picks item `index` of a combo box as a user would with the mouse: the list drops down
// (CBN_DROPDOWN), the item is selected and its text put in the field (CBN_SELCHANGE), the
// choice is confirmed (CBN_SELENDOK) and the list closes (CBN_CLOSEUP). Must be called on the
// combo box's thread. False, with nothing sent, for no combo box or an index out of range.
bool PickComboItem(HWND combo, int index);

} // namespace sim
