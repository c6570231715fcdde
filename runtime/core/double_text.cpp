// DoubleToText.
#include "runtime/core/double_text.h"

CWString DoubleToText(double x) {
    CWString text;
    if (x >= -0.000001 && x <= 0.000001)
        text.Append(TEXT("0"));
    else
        text.Format(TEXT("%.15G"), x);
    return text;
}
