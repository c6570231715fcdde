// ParseFontText: a font description text, "face,points,bold,italic,underline,strikeout,angle"
// (every field optional, blanks around fields ignored), as a logical font record that starts
// from the stock GUI font. Examples: "宋体,12"; ",,1" (the stock face and size, bold).
//
// Field rules: a non-empty face is taken (at most 31 characters); points become a height of
// trunc(|points| × LOGPIXELSY / 72 + 0.5) pixels when that is above 0; fields 3 to 6 are on
// exactly when they are "1"; a non-empty angle (tenths of a degree) is brought into 0..3599
// and used for escapement and orientation. Fields beyond the seventh are ignored.
#pragma once

#include "platform/platform.h"
#include "runtime/core/wstring.h"

LOGFONTW ParseFontText(const WCHAR* text);

// The same at a window's DPI instead of the screen's LOGPIXELSY (which is the system DPI): the
// points become trunc(|points| × dpi / 72 + 0.5) pixels, and the stock font's height, made
// for the system DPI, is scaled to dpi (MulDiv rounding) when no points are given. So "" gives
// the stock GUI font as it should look on a monitor of that DPI.
LOGFONTW ParseFontText(const WCHAR* text, UINT dpi);
