// The part of the GDI+ flat interface that picture decoding uses, with the names, types and
// values of gdiplus.dll.
//
// We declare these few functions ourselves instead of including <gdiplus.h>: the Windows SDK's
// header needs the min and max macros that NOMINMAX takes away, and it brings the whole C++
// wrapper along. The types live in namespace Gdiplus as in the SDK; the functions are the
// dll's C exports. On Windows platform/win32/win32_gdiplus.cpp defines them and forwards to
// gdiplus.dll, which it loads on first use; the simulated backend starts and shuts down GDI+
// but decodes nothing (platform/sim/sim_gdiplus.cpp).
#pragma once

namespace Gdiplus {

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
};
typedef Status GpStatus;

typedef INT PixelFormat;
typedef DWORD ARGB;

// Pixel-format flags and the formats the conversion names; bits 8 to 15 of a format are its
// bits per pixel.
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
constexpr PixelFormat PixelFormat48bppRGB = 0x0010300C;

enum ImageLockMode {
    ImageLockModeRead = 1,
    ImageLockModeWrite = 2,
    ImageLockModeUserInputBuf = 4,
};

// Opaque objects of the dll; a bitmap is an image.
struct GpImage {
    GpImage() = delete;
};
struct GpBitmap : GpImage {};
struct GpGraphics {
    GpGraphics() = delete;
};

struct Rect {
    INT X;
    INT Y;
    INT Width;
    INT Height;
};
typedef Rect GpRect;

struct BitmapData {
    UINT Width;
    UINT Height;
    INT Stride;
    INT PixelFormat; // a Gdiplus::PixelFormat
    VOID* Scan0;
    UINT_PTR Reserved;
};

struct ColorPalette {
    UINT Flags;
    UINT Count;
    ARGB Entries[1];
};

typedef VOID(WINAPI* DebugEventProc)(INT level, CHAR* message);
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef VOID(WINAPI* NotificationUnhookProc)(ULONG_PTR token);

struct GdiplusStartupInput {
    UINT GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

} // namespace Gdiplus

extern "C" {
VOID WINAPI GdiplusShutdown(ULONG_PTR token);
Gdiplus::Status WINAPI GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                      Gdiplus::GdiplusStartupOutput* output);

Gdiplus::GpStatus WINAPI GdipCreateBitmapFromStream(IStream* stream, Gdiplus::GpBitmap** bitmap);
Gdiplus::GpStatus WINAPI GdipCreateBitmapFromFile(const WCHAR* path, Gdiplus::GpBitmap** bitmap);
Gdiplus::GpStatus WINAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride,
                                                   Gdiplus::PixelFormat format, BYTE* scan0,
                                                   Gdiplus::GpBitmap** bitmap);
Gdiplus::GpStatus WINAPI GdipDisposeImage(Gdiplus::GpImage* image);
Gdiplus::GpStatus WINAPI GdipGetImagePixelFormat(Gdiplus::GpImage* image,
                                                 Gdiplus::PixelFormat* format);
Gdiplus::GpStatus WINAPI GdipGetImageWidth(Gdiplus::GpImage* image, UINT* width);
Gdiplus::GpStatus WINAPI GdipGetImageHeight(Gdiplus::GpImage* image, UINT* height);
Gdiplus::GpStatus WINAPI GdipGetImagePaletteSize(Gdiplus::GpImage* image, INT* size);
Gdiplus::GpStatus WINAPI GdipGetImagePalette(Gdiplus::GpImage* image,
                                             Gdiplus::ColorPalette* palette, INT size);
Gdiplus::GpStatus WINAPI GdipBitmapLockBits(Gdiplus::GpBitmap* bitmap, const Gdiplus::GpRect* rect,
                                            UINT flags, Gdiplus::PixelFormat format,
                                            Gdiplus::BitmapData* data);
Gdiplus::GpStatus WINAPI GdipBitmapUnlockBits(Gdiplus::GpBitmap* bitmap, Gdiplus::BitmapData* data);
Gdiplus::GpStatus WINAPI GdipGetImageGraphicsContext(Gdiplus::GpImage* image,
                                                     Gdiplus::GpGraphics** graphics);
Gdiplus::GpStatus WINAPI GdipDeleteGraphics(Gdiplus::GpGraphics* graphics);
Gdiplus::GpStatus WINAPI GdipDrawImageI(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image,
                                        INT x, INT y);
Gdiplus::GpStatus WINAPI GdipDrawImageRectI(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image,
                                            INT x, INT y, INT width, INT height);
}
