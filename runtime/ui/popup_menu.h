// Context menus: the first pop-up of a menu bar shown at the mouse cursor.
#pragma once

#include "platform/platform.h"

// How far right of and below the cursor the menu's top-left corner goes, so that the item
// under the cursor is not chosen by the release of the button that opened the menu.
constexpr int kPopupMenuOffset = 3;

// Shows the first pop-up of the menu bar at the cursor, offset by kPopupMenuOffset, tracking
// the right button, for owner; the chosen item's id arrives at owner as WM_COMMAND. Answers
// non-zero when the menu was shown, 0 when owner is no window, the menu is null or it has no
// first pop-up.
int ShowPopupMenuAtCursor(HWND owner, HMENU menu);
