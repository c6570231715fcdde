// The flat GDI+ functions of platform/gdiplus_flat.h, each forwarding to gdiplus.dll, which is
// loaded from the system folder at the first call. The library is not imported: an imported
// library is loaded, with everything it imports, before the program's first line, and the main
// window shows no picture, so every start would pay for it.
//
// Without the library (or one of its functions) GdiplusStartup answers Win32Error, every other
// call GdiplusNotInitialized, and GdiplusShutdown does nothing: a picture load then fails as it
// does when GDI+ cannot start.
#include "platform/platform.h"

#include "platform/win32/win32_system_library.h"

namespace {

using win32::LibraryFunction;

struct GdiplusEntryPoints {
    decltype(&GdiplusStartup) startup;
    decltype(&GdiplusShutdown) shutdown;
    decltype(&GdipCreateBitmapFromStream) create_bitmap_from_stream;
    decltype(&GdipCreateBitmapFromFile) create_bitmap_from_file;
    decltype(&GdipCreateBitmapFromScan0) create_bitmap_from_scan0;
    decltype(&GdipDisposeImage) dispose_image;
    decltype(&GdipGetImagePixelFormat) get_image_pixel_format;
    decltype(&GdipGetImageWidth) get_image_width;
    decltype(&GdipGetImageHeight) get_image_height;
    decltype(&GdipGetImagePaletteSize) get_image_palette_size;
    decltype(&GdipGetImagePalette) get_image_palette;
    decltype(&GdipBitmapLockBits) bitmap_lock_bits;
    decltype(&GdipBitmapUnlockBits) bitmap_unlock_bits;
    decltype(&GdipGetImageGraphicsContext) get_image_graphics_context;
    decltype(&GdipDeleteGraphics) delete_graphics;
    decltype(&GdipDrawImageI) draw_image;
    decltype(&GdipDrawImageRectI) draw_image_rect;
};

GdiplusEntryPoints LoadEntryPoints() {
    // Stays loaded for the process; GdiplusShutdown is what stops GDI+.
    HMODULE gdiplus = win32::LoadSystemLibrary(L"gdiplus.dll");
    GdiplusEntryPoints e{};
    e.startup = LibraryFunction<decltype(e.startup)>(gdiplus, "GdiplusStartup");
    e.shutdown = LibraryFunction<decltype(e.shutdown)>(gdiplus, "GdiplusShutdown");
    e.create_bitmap_from_stream = LibraryFunction<decltype(e.create_bitmap_from_stream)>(
        gdiplus, "GdipCreateBitmapFromStream");
    e.create_bitmap_from_file =
        LibraryFunction<decltype(e.create_bitmap_from_file)>(gdiplus, "GdipCreateBitmapFromFile");
    e.create_bitmap_from_scan0 =
        LibraryFunction<decltype(e.create_bitmap_from_scan0)>(gdiplus, "GdipCreateBitmapFromScan0");
    e.dispose_image = LibraryFunction<decltype(e.dispose_image)>(gdiplus, "GdipDisposeImage");
    e.get_image_pixel_format =
        LibraryFunction<decltype(e.get_image_pixel_format)>(gdiplus, "GdipGetImagePixelFormat");
    e.get_image_width = LibraryFunction<decltype(e.get_image_width)>(gdiplus, "GdipGetImageWidth");
    e.get_image_height =
        LibraryFunction<decltype(e.get_image_height)>(gdiplus, "GdipGetImageHeight");
    e.get_image_palette_size =
        LibraryFunction<decltype(e.get_image_palette_size)>(gdiplus, "GdipGetImagePaletteSize");
    e.get_image_palette =
        LibraryFunction<decltype(e.get_image_palette)>(gdiplus, "GdipGetImagePalette");
    e.bitmap_lock_bits =
        LibraryFunction<decltype(e.bitmap_lock_bits)>(gdiplus, "GdipBitmapLockBits");
    e.bitmap_unlock_bits =
        LibraryFunction<decltype(e.bitmap_unlock_bits)>(gdiplus, "GdipBitmapUnlockBits");
    e.get_image_graphics_context = LibraryFunction<decltype(e.get_image_graphics_context)>(
        gdiplus, "GdipGetImageGraphicsContext");
    e.delete_graphics = LibraryFunction<decltype(e.delete_graphics)>(gdiplus, "GdipDeleteGraphics");
    e.draw_image = LibraryFunction<decltype(e.draw_image)>(gdiplus, "GdipDrawImageI");
    e.draw_image_rect = LibraryFunction<decltype(e.draw_image_rect)>(gdiplus, "GdipDrawImageRectI");
    return e;
}

// Loaded once, at the first call of any of them. A function-local static is initialised exactly
// once even when threads race to it (pictures may load on any thread); afterwards the pointers
// are only read.
const GdiplusEntryPoints& EntryPoints() {
    static const GdiplusEntryPoints entry_points = LoadEntryPoints();
    return entry_points;
}

// The call where the dll has the function, else GdiplusNotInitialized: nothing can have been
// made by a GDI+ that never started.
template <typename Fn, typename... Args> Gdiplus::GpStatus Forward(Fn fn, Args... args) {
    return fn != nullptr ? fn(args...) : Gdiplus::GdiplusNotInitialized;
}

} // namespace

using namespace Gdiplus;

extern "C" {

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             GdiplusStartupOutput* output) {
    auto startup = EntryPoints().startup;
    return startup != nullptr ? startup(token, input, output) : Win32Error;
}

VOID WINAPI GdiplusShutdown(ULONG_PTR token) {
    if (auto shutdown = EntryPoints().shutdown)
        shutdown(token);
}

GpStatus WINAPI GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    return Forward(EntryPoints().create_bitmap_from_stream, stream, bitmap);
}

GpStatus WINAPI GdipCreateBitmapFromFile(const WCHAR* path, GpBitmap** bitmap) {
    return Forward(EntryPoints().create_bitmap_from_file, path, bitmap);
}

GpStatus WINAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                          BYTE* scan0, GpBitmap** bitmap) {
    return Forward(EntryPoints().create_bitmap_from_scan0, width, height, stride, format, scan0,
                   bitmap);
}

GpStatus WINAPI GdipDisposeImage(GpImage* image) {
    return Forward(EntryPoints().dispose_image, image);
}

GpStatus WINAPI GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
    return Forward(EntryPoints().get_image_pixel_format, image, format);
}

GpStatus WINAPI GdipGetImageWidth(GpImage* image, UINT* width) {
    return Forward(EntryPoints().get_image_width, image, width);
}

GpStatus WINAPI GdipGetImageHeight(GpImage* image, UINT* height) {
    return Forward(EntryPoints().get_image_height, image, height);
}

GpStatus WINAPI GdipGetImagePaletteSize(GpImage* image, INT* size) {
    return Forward(EntryPoints().get_image_palette_size, image, size);
}

GpStatus WINAPI GdipGetImagePalette(GpImage* image, ColorPalette* palette, INT size) {
    return Forward(EntryPoints().get_image_palette, image, palette, size);
}

GpStatus WINAPI GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags,
                                   PixelFormat format, BitmapData* data) {
    return Forward(EntryPoints().bitmap_lock_bits, bitmap, rect, flags, format, data);
}

GpStatus WINAPI GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
    return Forward(EntryPoints().bitmap_unlock_bits, bitmap, data);
}

GpStatus WINAPI GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
    return Forward(EntryPoints().get_image_graphics_context, image, graphics);
}

GpStatus WINAPI GdipDeleteGraphics(GpGraphics* graphics) {
    return Forward(EntryPoints().delete_graphics, graphics);
}

GpStatus WINAPI GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
    return Forward(EntryPoints().draw_image, graphics, image, x, y);
}

GpStatus WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                   INT height) {
    return Forward(EntryPoints().draw_image_rect, graphics, image, x, y, width, height);
}

} // extern "C"
