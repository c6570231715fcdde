// The simulated COMBOBOX class: a selection field over a list of texts with data values. A
// drop-down combo box (CBS_DROPDOWN, CBS_DROPDOWNLIST) makes its window as high as the field
// at creation and remembers the height it was created with as the height of its dropped
// list, as Windows does; a simple one keeps its height. The window text is the field's text;
// selecting an item puts the item's text there. It notifies its parent with CBN_SETFOCUS and
// CBN_KILLFOCUS; a user's pick (sim::PickComboItem) brings CBN_DROPDOWN, CBN_SELCHANGE,
// CBN_SELENDOK and CBN_CLOSEUP, with the selection and text in place from CBN_SELCHANGE on.
// Not simulated: the edit and list child windows, typing, sorting and drawing. Internal to
// the backend.
#pragma once

#include "platform/sim/sim_window.h"

namespace sim::detail {

constexpr int kComboBoxExtraBytes = 2 * sizeof(LONG_PTR); // the record and the font

LRESULT CALLBACK SimComboBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace sim::detail
