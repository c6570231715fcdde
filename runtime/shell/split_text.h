// SplitText: a text cut at separator characters into the elements of a string array.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/rg_wbshzl.h"

// Empties array, then appends the pieces of text between the units of separators (a
// zero-terminated set; empty or null: the whole text is one piece). trim removes blanks (units
// of value 32 or less) from both ends of every piece; skipEmpty drops the pieces that are empty
// after trimming, or blank without it. Without skipEmpty a text ending in a separator gives a
// last, empty element. Empty pieces are stored as null elements. A null or empty text gives
// no elements. Returns the number of elements.
int64_t SplitText(const WCHAR* text, CMStringArray& array, const WCHAR* separators, bool trim,
                  bool skipEmpty);
int64_t SplitText(const WCHAR* text, rg_lch_jb::rg_wbshzl& array, const WCHAR* separators,
                  bool trim, bool skipEmpty);
