// Decimals as text: "0" for anything within a millionth of zero, else fifteen significant
// digits in the platform's "%.15G" form (trailing zeros dropped, "1E+20" for large and small
// magnitudes). NaN is "NAN" and the infinities "INF" and "-INF" on every platform.
//
// In the core rather than with the other conversions of the shell because the decimal value
// class writes its dump with it.
#pragma once

#include "runtime/core/wstring.h"

CWString DoubleToText(double x);
