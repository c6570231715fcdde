// Picture conversion over the GDI+ flat interface.
#include "runtime/shell/picture.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "runtime/shell/rix_app_instance.h"

using namespace Gdiplus;

namespace {

constexpr int kBitsShift = 8;

// The section format that holds a picture of format f without loss, and its depth.
void ChooseTarget(PixelFormat f, PixelFormat& target, int& bits) {
    target = PixelFormat32bppRGB;
    bits = 32;
    // A 16-bit section without bit fields is 5-5-5; 5-6-5 pictures are drawn into 32 bits
    // instead of being copied into a layout that reads their bits wrongly.
    if ((f & PixelFormatGDI) != 0 && f != PixelFormat16bppRGB565) {
        bits = (f >> kBitsShift) & 0xFF;
        target = f;
    }
    if ((f & PixelFormatAlpha) != 0) {
        bits = 32;
        target = PixelFormat32bppARGB;
    }
}

// The picture's palette into the section's colour table. 0 when the palette cannot be read or
// has no entries or more than 256.
int CopyPalette(DecodedBitmap& record, CRixPicture& picture) {
    INT size = 0;
    if (picture.Check(GdipGetImagePaletteSize(picture.pImage, &size)) != Ok ||
        size < static_cast<INT>(sizeof(ColorPalette)))
        return 0;
    std::vector<BYTE> storage(static_cast<size_t>(size));
    auto* palette = reinterpret_cast<ColorPalette*>(storage.data());
    if (picture.Check(GdipGetImagePalette(picture.pImage, palette, size)) != Ok)
        return 0;
    UINT count = palette->Count;
    // The entries must lie inside what GDI+ handed over, too.
    size_t room = (storage.size() - offsetof(ColorPalette, Entries)) / sizeof(ARGB);
    if (count == 0 || count > 256 || count > room)
        return 0;
    RGBQUAD table[256] = {};
    for (UINT i = 0; i < count; ++i) {
        ARGB e = palette->Entries[i];
        table[i].rgbRed = static_cast<BYTE>(e >> 16);
        table[i].rgbGreen = static_cast<BYTE>(e >> 8);
        table[i].rgbBlue = static_cast<BYTE>(e);
        table[i].rgbReserved = 0;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return 0;
    HGDIOBJ previous = SelectObject(dc, record.hBitmap);
    UINT set = SetDIBColorTable(dc, 0, count, table);
    if (previous != nullptr)
        SelectObject(dc, previous);
    DeleteDC(dc);
    return set == count ? 1 : 0;
}

// Row by row from the locked picture, which has the section's own format.
int CopyRows(DecodedBitmap& record, CRixPicture& picture, PixelFormat format) {
    auto* bitmap = static_cast<GpBitmap*>(picture.pImage);
    GpRect rect{0, 0, record.nWidth, record.nHeight};
    BitmapData data{};
    if (picture.Check(GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead, format, &data)) != Ok)
        return 0;
    size_t rowBytes = (static_cast<size_t>(record.nBitsPerPixel) * record.nWidth + 7) / 8;
    const BYTE* from = static_cast<const BYTE*>(data.Scan0);
    BYTE* to = record.pTopRow;
    for (int32_t y = 0; y < record.nHeight; ++y) {
        std::memcpy(to, from, rowBytes);
        from += data.Stride;
        to += record.nRowStep;
    }
    picture.Check(GdipBitmapUnlockBits(bitmap, &data));
    return 1;
}

// GDI+ draws the picture into the section's own pixels, converting as it goes.
int DrawInto(DecodedBitmap& record, CRixPicture& picture, PixelFormat format) {
    GpBitmap* target = nullptr;
    if (picture.Check(GdipCreateBitmapFromScan0(record.nWidth, record.nHeight, record.nRowStep,
                                                format, record.pTopRow, &target)) != Ok)
        return 0;
    int drawn = 0;
    GpGraphics* graphics = nullptr;
    if (picture.Check(GdipGetImageGraphicsContext(target, &graphics)) == Ok) {
        // At the picture's size in pixels: a plain DrawImage would scale a picture whose
        // resolution differs from the target's.
        drawn = picture.Check(GdipDrawImageRectI(graphics, picture.pImage, 0, 0, record.nWidth,
                                                 record.nHeight)) == Ok;
        GdipDeleteGraphics(graphics);
    }
    GdipDisposeImage(target);
    return drawn;
}

} // namespace

int ConvertPicture(DecodedBitmap& record, CRixPicture& picture) {
    PixelFormat f = 0;
    picture.Check(GdipGetImagePixelFormat(picture.pImage, &f));
    PixelFormat target = 0;
    int bits = 0;
    ChooseTarget(f, target, bits);
    UINT width = 0;
    UINT height = 0;
    picture.Check(GdipGetImageHeight(picture.pImage, &height));
    picture.Check(GdipGetImageWidth(picture.pImage, &width));
    if (width > INT32_MAX || height > INT32_MAX)
        return 0;
    int32_t alpha = (f & PixelFormatAlpha) != 0 ? 1 : 0;
    if (!record.CreateSection(static_cast<int32_t>(width), static_cast<int32_t>(height), bits,
                              alpha))
        return 0;
    if ((f & PixelFormatIndexed) != 0 && !CopyPalette(record, picture))
        return 0;
    if (f == target)
        return CopyRows(record, picture, target);
    return DrawInto(record, picture, target);
}

int DecodePictureBytes(DecodedBitmap& record, const void* bytes, int64_t count) {
    if (bytes == nullptr || count <= 0 || static_cast<uint64_t>(count) > SIZE_MAX)
        return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count));
    if (block == nullptr)
        return 0;
    void* copy = GlobalLock(block);
    if (copy == nullptr) {
        GlobalFree(block);
        return 0;
    }
    std::memcpy(copy, bytes, static_cast<size_t>(count));
    GlobalUnlock(block);
    int converted = 0;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(block, FALSE, &stream)) && stream != nullptr) {
        if (GetRixAppInstance().EnsureGdiplus()) {
            CRixPicture picture;
            GpBitmap* bitmap = nullptr;
            if (picture.Check(GdipCreateBitmapFromStream(stream, &bitmap)) == Ok &&
                bitmap != nullptr) {
                picture.pImage = bitmap;
                converted = ConvertPicture(record, picture);
                GdipDisposeImage(bitmap);
            }
        }
        stream->Release();
    }
    GlobalFree(block);
    if (!converted)
        record.Release();
    return converted;
}
