// The escaped and quoted forms of a text used by the debug dumps: control units and quotes
// become backslash escapes, so that a dumped text reads as a literal on one line.
#pragma once

#include "platform/platform.h"

class CWString;

// Appends the text with 8, 9, 10, 12 and 13 as \b \t \n \f \r, the double quote, the
// apostrophe and the backslash behind a backslash, every other unit below 32 as a backslash,
// 0 and two octal digits, and all other units as they are. Null is the empty text.
void AppendEscapedText(CWString& out, const WCHAR* text);
// The escaped text between double quotes.
void AppendQuotedText(CWString& out, const WCHAR* text);
