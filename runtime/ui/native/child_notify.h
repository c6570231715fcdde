// Reflection: a notification that a parent receives from a child control is offered to the
// child's window object first, the way the framework lets each control handle its own
// notifications. The messages reflected are WM_COMMAND from a control (lParam is the
// control's window), WM_NOTIFY (NMHDR::hwndFrom) and WM_CTLCOLOR* (lParam is the control).
#pragma once

#include "platform/platform.h"

// The child window a parent's message comes from, or null when it is no reflected message.
HWND ReflectedChild(UINT message, LPARAM lparam);
// Offers the message to the child's object; TRUE when the child handled it (*result is the
// parent's answer).
BOOL ReflectToChild(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
