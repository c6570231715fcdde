// DoubleToText.
#include "runtime/core/double_text.h"

#include <cmath>

CWString DoubleToText(double x) {
    CWString text;
    // The platforms' printf disagree on the values that are no numbers ("1.#QNAN", "-NAN(IND)",
    // "NAN", "1.#INF", "INF"), so these have one spelling of their own on every platform, the
    // upper-case form of the C standard that "%G" gives elsewhere. A NaN has no sign here.
    if (std::isnan(x))
        text.Append(TEXT("NAN"));
    else if (std::isinf(x))
        text.Append(x > 0 ? TEXT("INF") : TEXT("-INF"));
    else if (x >= -0.000001 && x <= 0.000001)
        text.Append(TEXT("0"));
    else
        text.Format(TEXT("%.15G"), x);
    return text;
}
