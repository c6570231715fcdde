// Wide printf-style formatting for the Windows backend: the C run-time library's own.
#include "platform/platform.h"

#include <climits>

namespace {
// The older run-time library writes exponents with three digits ("1E+020"); the runtime's texts
// use two, as the current library does. The setting is process-wide and set once.
void UseTwoDigitExponents() {
#if defined(_TWO_DIGIT_EXPONENT) && !defined(_UCRT)
    static const bool done = (_set_output_format(_TWO_DIGIT_EXPONENT), true);
    (void)done;
#endif
}
} // namespace

int PlatformFormatV(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args) {
    UseTwoDigitExponents();
    if (format == nullptr) {
        if (buffer != nullptr && capacity > 0)
            buffer[0] = 0;
        return -1;
    }
    va_list ap;
    va_copy(ap, args);
    int result;
    if (buffer == nullptr || capacity == 0) {
        result = _vscwprintf(format, ap);
    } else {
        // _vsnwprintf leaves the buffer unterminated when the output fills it exactly.
        result = _vsnwprintf(buffer, capacity, format, ap);
        if (result < 0 || static_cast<size_t>(result) >= capacity) {
            buffer[capacity - 1] = 0;
            result = -1;
        }
    }
    va_end(ap);
    return result;
}
