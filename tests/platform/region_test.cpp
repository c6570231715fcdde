// Regions and the painting calls of the platform layer, on both backends: combining regions,
// their kinds and boxes, window shapes copied out, and a window's own painting clipped to its
// update rectangle and to a selected clip region, read back pixel by pixel.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(Region, CombiningGivesTheKindAndBoxOfTheResult) {
    HRGN a = CreateRectRgn(0, 0, 100, 50);
    HRGN b = CreateRectRgn(50, 0, 150, 50);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        const char* name;
        int mode;
        int kind;
        RECT box;
        POINT in, out;
    };
    const Case cases[] = {
        {"and", RGN_AND, SIMPLEREGION, {50, 0, 100, 50}, {60, 10}, {40, 10}},
        {"or", RGN_OR, SIMPLEREGION, {0, 0, 150, 50}, {140, 10}, {10, 60}},
        {"diff", RGN_DIFF, SIMPLEREGION, {0, 0, 50, 50}, {49, 49}, {50, 10}},
        {"xor", RGN_XOR, COMPLEXREGION, {0, 0, 150, 50}, {120, 10}, {75, 10}},
        {"copy", RGN_COPY, SIMPLEREGION, {0, 0, 100, 50}, {99, 0}, {100, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.kind);
        RECT box{};
        EXPECT_EQ(GetRgnBox(out, &box), c.kind);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);
        EXPECT_TRUE(PtInRegion(out, c.in.x, c.in.y));
        EXPECT_FALSE(PtInRegion(out, c.out.x, c.out.y));
    }
    // Taking everything away leaves an empty region.
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(OffsetRgn(b, -50, 10), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(b, 0, 10));
    EXPECT_FALSE(PtInRegion(b, 0, 9));
    for (HRGN r : {a, b, out})
        EXPECT_TRUE(DeleteObject(r));
}

TEST(Region, AWindowKeepsItsShapeAndHandsOutCopies) {
    HWND hwnd = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_POPUP, 10, 10, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hwnd, copy), ERROR);
    ASSERT_NE(SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, 200, 100), FALSE), 0);
    EXPECT_EQ(GetWindowRgn(hwnd, copy), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(copy, 100, 50));
    EXPECT_FALSE(PtInRegion(copy, 5, 5));
    // A change to the copy is not the window's.
    CombineRgn(copy, copy, copy, RGN_DIFF);
    HRGN again = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hwnd, again), COMPLEXREGION);
    EXPECT_NE(SetWindowRgn(hwnd, nullptr, FALSE), 0);
    EXPECT_EQ(GetWindowRgn(hwnd, again), ERROR);
    DeleteObject(copy);
    DeleteObject(again);
    DestroyWindow(hwnd);
}

// Paints the window's update area with one brush, and a clip region's part with another.
LRESULT CALLBACK PaintProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    RECT everything{0, 0, 1000, 1000};
    FillRect(dc, &everything, green);
    HRGN clip = CreateRectRgn(0, 0, 20, 20);
    SelectClipRgn(dc, clip);
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(dc, &everything, red);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    DeleteObject(red);
    DeleteObject(green);
    EndPaint(hwnd, &paint);
    return 0;
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

TEST(Paint, DrawingStaysInsideTheUpdateRectangleAndTheClipRegion) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &PaintProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = TEXT("KeyseqPaintTest");
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, TEXT("KeyseqPaintTest"), TEXT(""), WS_POPUP | WS_VISIBLE, 50, 50,
                                100, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    const COLORREF green = RGB(0, 200, 0);
    const COLORREF red = RGB(200, 0, 0);
    EXPECT_EQ(PixelOf(hwnd, 10, 10), red);
    EXPECT_EQ(PixelOf(hwnd, 30, 10), green);
    EXPECT_EQ(PixelOf(hwnd, 99, 59), green);

    // Only the invalidated part is painted again: the red corner stays where it is not.
    HDC dc = GetDC(hwnd);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 248));
    RECT all{0, 0, 100, 60};
    FillRect(dc, &all, blue);
    ReleaseDC(hwnd, dc);
    DeleteObject(blue);
    RECT part{50, 0, 100, 60};
    InvalidateRect(hwnd, &part, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(PixelOf(hwnd, 10, 10), RGB(0, 0, 248));
    EXPECT_EQ(PixelOf(hwnd, 70, 30), green);
    DestroyWindow(hwnd);
    UnregisterClassW(TEXT("KeyseqPaintTest"), GetModuleHandleW(nullptr));
}

} // namespace
