// 64-bit integers as decimal and hexadecimal text.
//
// These live in the core rather than with the other conversions of the shell because the value
// classes of the core write their numbers with them, and the core does not reach upwards.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Room for the longest result, "-9223372036854775808", and its terminator.
constexpr int kInt64TextUnits = 21;

// Writes the decimal text of v into buffer (at least kInt64TextUnits units) and returns it; for
// the minimum value, whose magnitude has no positive counterpart, it returns a constant text
// instead. No leading zeros, no plus sign, no grouping.
const WCHAR* Int64ToText(int64_t v, WCHAR* buffer);

// Reads an optionally signed decimal number after leading blanks (units of value 32 or less) and
// stops at the first unit that is not a digit. A text without digits gives 0; a number beyond
// the signed 64-bit range saturates at its limit. A null text reads as empty.
int64_t TextToInt64(const WCHAR* text);

// Reads hexadecimal digits (either case) from the first unit on, with no blanks, sign or prefix,
// and stops at the first other unit; more than sixteen digits keep the low 64 bits.
int64_t HexTextToInt64(const WCHAR* text);
