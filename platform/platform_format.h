// Wide printf-style formatting, the one run-time library service that texts need from the
// platform. Both backends give the same output for the conversions the runtime uses:
// "%d", "%u", "%x", "%X" with the "I64", "ll", "l" (32-bit, as on Windows) and "h" sizes, "%s"
// of a wide text ("%hs" and "%S" narrow), "%c", "%p", the floating conversions "%e", "%f",
// "%g" (upper-case forms too, with two exponent digits), flags, width and precision.
#pragma once

#include <cstdarg>
#include <cstddef>

// Measures or writes one formatted text.
//
// With buffer null or capacity 0 nothing is written and the result is the number of units the
// whole output has, terminator excluded. Otherwise the output is written with a terminator;
// the result is the number of units written, or -1 when they did not all fit (the buffer then
// holds a terminated prefix). Either way -1 also stands for a format the backend rejects and
// for an output longer than INT_MAX units.
int PlatformFormatV(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args);
