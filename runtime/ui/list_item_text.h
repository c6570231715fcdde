// The text of one item of a list or combo box, read with its length message and its text
// message (LB_GETTEXTLEN and LB_GETTEXT, or CB_GETLBTEXTLEN and CB_GETLBTEXT). Empty text for
// an index the control does not have.
#pragma once

#include "platform/platform.h"
#include "runtime/core/wstring.h"

CWString ReadItemText(HWND hwnd, WPARAM index, UINT length_message, UINT text_message);
