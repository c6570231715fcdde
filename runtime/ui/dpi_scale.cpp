// Scaling designed lengths by a window's DPI.
#include "runtime/ui/dpi_scale.h"

namespace {

// a × b / c rounded to the nearest, halves away from zero; c > 0.
int32_t MulDivRound(int32_t a, int64_t b, int64_t c) {
    int64_t product = int64_t{a} * b;
    int64_t magnitude = product < 0 ? -product : product;
    int64_t quotient = (2 * magnitude + c) / (2 * c);
    return static_cast<int32_t>(product < 0 ? -quotient : quotient);
}

} // namespace

int32_t ScaleBetweenDpis(int32_t length, UINT from, UINT to) {
    return MulDivRound(length, to != 0 ? to : kDesignDpi, from != 0 ? from : kDesignDpi);
}

int32_t ScaleForDpi(int32_t length, UINT dpi) {
    return ScaleBetweenDpis(length, kDesignDpi, dpi);
}

int32_t UnscaleForDpi(int32_t pixels, UINT dpi) {
    return ScaleBetweenDpis(pixels, dpi, kDesignDpi);
}

UINT WindowDpi(HWND hwnd) {
    UINT dpi = hwnd != nullptr ? GetDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : kDesignDpi;
}
