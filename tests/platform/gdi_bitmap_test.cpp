// Bitmap sections, memory device contexts and GetObjectW on both backends, so that the
// simulation's sections are checked against GDI under Wine.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

struct Info8 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

HBITMAP Section(int width, int height, int bits, void** pixels = nullptr) {
    Info8 info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    info.colors[1] = RGBQUAD{1, 2, 3, 0};
    void* bits_out = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 &bits_out, nullptr, 0);
    if (pixels != nullptr)
        *pixels = bits_out;
    return h;
}

TEST(GdiBitmap, GetObjectDescribesASectionAsBitmapOrDibSection) {
    void* pixels = nullptr;
    HBITMAP h = Section(5, -3, 24, &pixels);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(pixels, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(h, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBm.bmHeight, 3);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 16) << "rows padded to four bytes";
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(ds.dsBm.bmBits, pixels);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    BITMAP bm{};
    EXPECT_EQ(GetObjectW(h, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBits, pixels);
    EXPECT_EQ(GetObjectW(h, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectW(h, 4, &bm), 0) << "buffer too small";
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(GetObjectW(h, sizeof bm, &bm), 0) << "deleted";
    EXPECT_FALSE(DeleteObject(h));
}

TEST(GdiBitmap, RefusesWhatIsNoSection) {
    EXPECT_EQ(Section(0, 3, 24), nullptr);
    EXPECT_EQ(Section(3, 0, 24), nullptr);
    EXPECT_EQ(Section(3, 3, 7), nullptr);
}

TEST(GdiBitmap, ColourTablesThroughAMemoryDeviceContext) {
    HBITMAP indexed = Section(4, 4, 8);
    HBITMAP direct = Section(4, 4, 24);
    ASSERT_NE(indexed, nullptr);
    ASSERT_NE(direct, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ stock = SelectObject(dc, indexed);
    ASSERT_NE(stock, nullptr);
    RGBQUAD table[3] = {};
    ASSERT_EQ(GetDIBColorTable(dc, 0, 3, table), 3u);
    EXPECT_EQ(table[1].rgbBlue, 1) << "the table given at creation";
    EXPECT_EQ(table[1].rgbRed, 3);
    const RGBQUAD set[2] = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    EXPECT_EQ(SetDIBColorTable(dc, 254, 2, set), 2u);
    EXPECT_EQ(SetDIBColorTable(dc, 255, 2, set), 1u) << "cut at the end of the table";
    ASSERT_EQ(GetDIBColorTable(dc, 254, 1, table), 1u);
    EXPECT_EQ(table[0].rgbGreen, 20);
    EXPECT_EQ(SelectObject(dc, direct), indexed);
    EXPECT_EQ(SetDIBColorTable(dc, 0, 2, set), 0u) << "no table above 8 bits per pixel";
    EXPECT_EQ(SelectObject(dc, stock), direct);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(indexed));
    EXPECT_TRUE(DeleteObject(direct));
}

} // namespace
