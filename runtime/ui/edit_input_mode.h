// The input modes of the edit box (rg_bjk): the style each mode adds at creation, the typed
// characters it accepts, and the text it writes back when the edit loses the focus.
//
// Modes: 0 anything; 1 read-only; 2 password; 3 "-" and digits; 4 "-", "." and digits; 5 an
// integer 0 to 255; 6 an integer -32768 to 32767; 7 a 32-bit integer; 8 a 64-bit integer;
// 9 a single-precision number ("%.6G"); 10 a double-precision number ("%.13G"); 11 a date in
// the Chinese style; 12 a date in the numeric style; 13 a hexadecimal number. Other values
// behave as mode 0.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

// ES_READONLY for mode 1, ES_PASSWORD for mode 2, otherwise 0.
DWORD EditModeStyle(int64_t mode);

// Whether a typed character may enter an edit of this mode. Characters below 32 (Backspace
// and the other control keys) always may.
bool EditModeAcceptsChar(int64_t mode, WCHAR ch);

// The text an edit of this mode shows after losing the focus; false when the mode leaves its
// text alone. A rewritten text of exactly "0" becomes empty in the numeric modes.
bool RewriteEditText(int64_t mode, const WCHAR* text, CWString& out);

// The 32-bit integer at the start of text by the C run-time's rules for wide texts: leading
// white space, an optional sign, digits; anything else ends the number. A number beyond the
// 32-bit range saturates.
int32_t ReadTextInt32(const WCHAR* text);

// The floating-point number at the start of text by the C run-time's rules for decimal texts:
// leading white space, an optional sign, digits with an optional point, an optional exponent.
// A text without digits reads as 0.
double ReadTextDouble(const WCHAR* text);
