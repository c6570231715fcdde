// The flat GDI+ functions of platform/gdiplus_flat.h, each forwarding to gdiplus.dll, which is
// loaded from the system folder at the first call. The library is not imported: an imported
// library is loaded, with everything it imports, before the program's first line, and the main
// window shows no picture, so every start would pay for it.
//
// Without the library (or one of its functions) GdiplusStartup answers Win32Error, every other
// call GdiplusNotInitialized, and GdiplusShutdown does nothing: a picture load then fails as it
// does when GDI+ cannot start.
#include "platform/platform.h"

#include <iterator>

namespace {

// GetProcAddress answers a generic function pointer; the detour through void(*)() is the cast
// that compilers accept between function types.
template <typename Fn> Fn Lookup(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The system folder's gdiplus.dll by its full path, the one an import would bind: a DLL of that
// name beside the program or in the current directory is never loaded. A full path needs no
// LOAD_LIBRARY_SEARCH_SYSTEM32, which Vista and 7 lack without an update. The library stays
// loaded for the process; GdiplusShutdown is what stops GDI+.
HMODULE LoadSystemGdiplus() {
    static constexpr WCHAR kName[] = L"\\gdiplus.dll";
    WCHAR path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + std::size(kName) > MAX_PATH)
        return nullptr;
    for (size_t i = 0; i < std::size(kName); ++i)
        path[length + i] = kName[i];
    return LoadLibraryW(path);
}

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
    HMODULE gdiplus = LoadSystemGdiplus();
    GdiplusEntryPoints e{};
    e.startup = Lookup<decltype(e.startup)>(gdiplus, "GdiplusStartup");
    e.shutdown = Lookup<decltype(e.shutdown)>(gdiplus, "GdiplusShutdown");
    e.create_bitmap_from_stream =
        Lookup<decltype(e.create_bitmap_from_stream)>(gdiplus, "GdipCreateBitmapFromStream");
    e.create_bitmap_from_file =
        Lookup<decltype(e.create_bitmap_from_file)>(gdiplus, "GdipCreateBitmapFromFile");
    e.create_bitmap_from_scan0 =
        Lookup<decltype(e.create_bitmap_from_scan0)>(gdiplus, "GdipCreateBitmapFromScan0");
    e.dispose_image = Lookup<decltype(e.dispose_image)>(gdiplus, "GdipDisposeImage");
    e.get_image_pixel_format =
        Lookup<decltype(e.get_image_pixel_format)>(gdiplus, "GdipGetImagePixelFormat");
    e.get_image_width = Lookup<decltype(e.get_image_width)>(gdiplus, "GdipGetImageWidth");
    e.get_image_height = Lookup<decltype(e.get_image_height)>(gdiplus, "GdipGetImageHeight");
    e.get_image_palette_size =
        Lookup<decltype(e.get_image_palette_size)>(gdiplus, "GdipGetImagePaletteSize");
    e.get_image_palette = Lookup<decltype(e.get_image_palette)>(gdiplus, "GdipGetImagePalette");
    e.bitmap_lock_bits = Lookup<decltype(e.bitmap_lock_bits)>(gdiplus, "GdipBitmapLockBits");
    e.bitmap_unlock_bits = Lookup<decltype(e.bitmap_unlock_bits)>(gdiplus, "GdipBitmapUnlockBits");
    e.get_image_graphics_context =
        Lookup<decltype(e.get_image_graphics_context)>(gdiplus, "GdipGetImageGraphicsContext");
    e.delete_graphics = Lookup<decltype(e.delete_graphics)>(gdiplus, "GdipDeleteGraphics");
    e.draw_image = Lookup<decltype(e.draw_image)>(gdiplus, "GdipDrawImageI");
    e.draw_image_rect = Lookup<decltype(e.draw_image_rect)>(gdiplus, "GdipDrawImageRectI");
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
