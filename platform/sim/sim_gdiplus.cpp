// GDI+ in the simulated backend: it starts and shuts down (so that the runtime's lazy start
// and its shutdown at exit can be followed), but it decodes nothing. Every picture operation
// answers NotImplemented, so a picture load in the simulation fails as it would with an
// undecodable picture. Picture decoding is tested against the real GDI+ under Wine.
#include <atomic>

#include "platform/platform.h"

namespace {
std::atomic<ULONG_PTR> g_next_token{1};
} // namespace

using namespace Gdiplus;

extern "C" {

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output) {
    if (token == nullptr || input == nullptr)
        return InvalidParameter;
    if (input->GdiplusVersion != 1)
        return UnsupportedGdiplusVersion;
    // Without the background thread the caller must take the notification hooks.
    if (input->SuppressBackgroundThread && output == nullptr)
        return InvalidParameter;
    *token = g_next_token++;
    return Ok;
}

GpStatus GdipCreateBitmapFromStream(IStream*, GpBitmap** bitmap) {
    if (bitmap != nullptr)
        *bitmap = nullptr;
    return NotImplemented;
}

GpStatus GdipCreateBitmapFromFile(const WCHAR*, GpBitmap** bitmap) {
    if (bitmap != nullptr)
        *bitmap = nullptr;
    return NotImplemented;
}

GpStatus GdipCreateBitmapFromScan0(INT, INT, INT, PixelFormat, BYTE*, GpBitmap** bitmap) {
    if (bitmap != nullptr)
        *bitmap = nullptr;
    return NotImplemented;
}

// No image ever exists here, so whatever the caller hands in is not one.
GpStatus GdipDisposeImage(GpImage*) {
    return InvalidParameter;
}
GpStatus GdipGetImagePixelFormat(GpImage*, PixelFormat*) {
    return InvalidParameter;
}
GpStatus GdipGetImageWidth(GpImage*, UINT*) {
    return InvalidParameter;
}
GpStatus GdipGetImageHeight(GpImage*, UINT*) {
    return InvalidParameter;
}
GpStatus GdipGetImagePaletteSize(GpImage*, INT*) {
    return InvalidParameter;
}
GpStatus GdipGetImagePalette(GpImage*, ColorPalette*, INT) {
    return InvalidParameter;
}
GpStatus GdipBitmapLockBits(GpBitmap*, const GpRect*, UINT, PixelFormat, BitmapData*) {
    return InvalidParameter;
}
GpStatus GdipBitmapUnlockBits(GpBitmap*, BitmapData*) {
    return InvalidParameter;
}
GpStatus GdipGetImageGraphicsContext(GpImage*, GpGraphics**) {
    return InvalidParameter;
}
GpStatus GdipDeleteGraphics(GpGraphics*) {
    return InvalidParameter;
}
GpStatus GdipDrawImageI(GpGraphics*, GpImage*, INT, INT) {
    return InvalidParameter;
}
GpStatus GdipDrawImageRectI(GpGraphics*, GpImage*, INT, INT, INT, INT) {
    return InvalidParameter;
}
}
