// The default push button of a form: a window of the system's button class with the
// BS_DEFPUSHBUTTON style. Creating one records its child id in the nearest form above it, so
// that the form answers DM_GETDEFID with it and lets its commands through while Enter is
// pending (form_wnd.h). Any control whose window is such a button records itself this way
// (CRixWinControl::AfterCreate), whatever its control class.
//
// Main thread only.
#pragma once

#include "platform/platform.h"

// Whether hwnd is a window of the system's button class (any button type).
bool IsButtonWindow(HWND hwnd);
// Whether hwnd is a push button of the system's button class with BS_DEFPUSHBUTTON.
bool IsDefaultPushButton(HWND hwnd);
// When hwnd is a default push button, records its id in the nearest form window among its
// ancestors; true when one took it.
bool RecordDefaultPushButton(HWND hwnd);
