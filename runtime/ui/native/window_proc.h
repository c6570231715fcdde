// RixWndProc: the one window procedure of our window classes and of subclassed windows. It
// binds the window being created (creating_window.h), offers reflected notifications to the
// child's object, hands the message to the bound object's WindowProc, and unbinds the object
// after WM_NCDESTROY.
#pragma once

#include "platform/platform.h"

LRESULT CALLBACK RixWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
