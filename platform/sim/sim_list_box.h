// The simulated LISTBOX class: a single-selection list of texts with data values, a top
// index, a caret and an item height, answering the messages the framework sends
// (sim_list_controls.h). It notifies its parent with LBN_SETFOCUS and LBN_KILLFOCUS always, and
// with LBN_SELCHANGE (a click that changes the selection) and LBN_DBLCLK with LBS_NOTIFY. A click
// selects the item under the point. Not simulated: sorting (LBS_SORT), multiple or extended
// selection, multiple columns, keyboard navigation, scroll bars and drawing. Internal to the
// backend.
#pragma once

#include "platform/sim/sim_window.h"

namespace sim::detail {

constexpr int kListBoxExtraBytes = 2 * sizeof(LONG_PTR); // the record and the font

LRESULT CALLBACK SimListBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace sim::detail
