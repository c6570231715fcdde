// The section of a decoded picture.
#include "runtime/shell/decoded_bitmap.h"

namespace {

// BITMAPINFO with room for a full colour table.
struct SectionInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

} // namespace

int DecodedBitmap::CreateSection(int32_t width, int32_t height, int32_t bitsPerPixel,
                                 int32_t alpha) {
    Release();
    if (width <= 0 || height <= 0 || bitsPerPixel < 1 || bitsPerPixel > 32)
        return 0;
    // Rows are padded to four bytes; a section whose rows or size do not fit into 32 bits
    // cannot be described by the record.
    int64_t rowLength = (int64_t{width} * bitsPerPixel + 31) / 32 * 4;
    if (rowLength > INT32_MAX || rowLength * height > INT32_MAX)
        return 0;
    SectionInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height; // positive: bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr)
            DeleteObject(section);
        return 0;
    }
    DIBSECTION description{};
    int got = GetObjectW(section, sizeof description, &description);
    nSectionInfoValid = got == static_cast<int>(sizeof description) ? 1 : 0;
    if (nSectionInfoValid == 1 && description.dsBm.bmBits != nullptr)
        bits = description.dsBm.bmBits;
    hBitmap = section;
    nWidth = width;
    nHeight = height;
    nBitsPerPixel = bitsPerPixel;
    nAlpha = alpha;
    nRowStep = -static_cast<int32_t>(rowLength);
    pTopRow = static_cast<BYTE*>(bits) + (height - 1) * rowLength;
    return 1;
}

HBITMAP DecodedBitmap::Detach() {
    HBITMAP section = hBitmap;
    hBitmap = nullptr;
    Release();
    return section;
}

void DecodedBitmap::Release() {
    if (hBitmap != nullptr)
        DeleteObject(hBitmap);
    hBitmap = nullptr;
    pTopRow = nullptr;
    nWidth = nHeight = nRowStep = nBitsPerPixel = nAlpha = nSectionInfoValid = 0;
}
