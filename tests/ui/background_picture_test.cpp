// Container painting on both backends: the background colour and the four picture modes, read
// back as pixels of the window after it painted itself.
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/form_fixture.h"
#include "tests/ui/ui_pump.h"

namespace {

// Colours that a 16-bit screen shows unchanged as well.
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 248);
constexpr COLORREF kBack = RGB(8, 200, 32);

// A 32-bit section, the left half red and the right half blue.
HBITMAP TwoColourPicture(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = x < width / 2 ? kRed : kBlue;
            // A section pixel is 0x00RRGGBB, a COLORREF 0x00BBGGRR.
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return bitmap;
}

struct Pixel {
    int x, y;
    COLORREF colour;
};

struct PaintCase {
    const char* name;
    int32_t mode;
    bool large; // the 400 x 100 picture instead of the 40 x 20 one
    std::vector<Pixel> pixels;
};

// The fixture's container of 200 x 100 is the window painted.
class BackgroundPaintTest : public keyseq_test::FormFixture {
protected:
    void SetUp() override {
        small = TwoColourPicture(40, 20);
        large = TwoColourPicture(400, 100);
        ASSERT_NE(small, nullptr);
        ASSERT_NE(large, nullptr);
        ASSERT_NO_FATAL_FAILURE(FormFixture::SetUp());
        form.GetFormWnd()->m_bEscCloses = 0;
        RECT client{};
        GetClientRect(box.GetSafeHwnd(), &client);
        ASSERT_EQ(client.right, 200);
        ASSERT_EQ(client.bottom, 100);
    }
    void TearDown() override {
        Wnd().m_hPicture = nullptr;
        FormFixture::TearDown();
        DeleteObject(small);
        DeleteObject(large);
    }
    // Has the whole window painted again, then reads the pixels.
    void Repaint() {
        keyseq_test::PumpTranslated();
        InvalidateRect(box.GetSafeHwnd(), nullptr, TRUE);
        UpdateWindow(box.GetSafeHwnd());
    }
    COLORREF PixelAt(int x, int y) {
        HDC dc = GetDC(box.GetSafeHwnd());
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(box.GetSafeHwnd(), dc);
        return colour;
    }

    CRWnd_Container& Wnd() { return *box.GetContainerWnd(); }

    HBITMAP small = nullptr;
    HBITMAP large = nullptr;
};

TEST_F(BackgroundPaintTest, PictureModesAndTheColourAroundThem) {
    const PaintCase cases[] = {
        // At natural size in the top-left corner; the colour everywhere else.
        {"natural size", 0, false, {{5, 5, kRed}, {30, 15, kBlue}, {50, 5, kBack}, {5, 30, kBack}}},
        // Tiled: the pattern repeats every 40 x 20 pixels; nothing is left for the colour.
        {"tiled",
         1,
         false,
         {{5, 5, kRed}, {25, 5, kBlue}, {45, 25, kRed}, {65, 45, kBlue}, {165, 95, kRed}}},
        // Smaller than the client area: centred at natural size, (80, 40) to (120, 60).
        {"fitted, small",
         2,
         false,
         {{85, 45, kRed}, {115, 55, kBlue}, {70, 50, kBack}, {100, 30, kBack}, {100, 70, kBack}}},
        // Larger: scaled by min(200 / 400, 100 / 100) to 200 x 50 and centred, y 25 to 75.
        {"fitted, large",
         2,
         true,
         {{20, 50, kRed}, {180, 50, kBlue}, {100, 10, kBack}, {100, 90, kBack}}},
        // Stretched over the client area: the left half red, the right half blue.
        {"stretched",
         3,
         false,
         {{10, 10, kRed}, {90, 90, kRed}, {110, 10, kBlue}, {190, 90, kBlue}}},
        // Any other mode draws no picture.
        {"no such mode", 9, false, {{5, 5, kBack}, {150, 80, kBack}}},
    };
    Wnd().m_nBackColour = kBack;
    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.name);
        Wnd().m_nPictureMode = c.mode;
        Wnd().m_hPicture = c.large ? large : small;
        Repaint();
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(PixelAt(p.x, p.y), p.colour) << "at " << p.x << ", " << p.y;
    }
}

TEST_F(BackgroundPaintTest, WithoutPictureTheColourFillsTheClientArea) {
    Wnd().m_nBackColour = kBack;
    Repaint();
    for (Pixel p : {Pixel{0, 0, kBack}, Pixel{199, 99, kBack}, Pixel{100, 50, kBack}})
        EXPECT_EQ(PixelAt(p.x, p.y), p.colour) << "at " << p.x << ", " << p.y;
    // The system default stands for the button face colour.
    Wnd().m_nBackColour = kSystemFaceColour;
    Repaint();
    EXPECT_EQ(PixelAt(100, 50), GetSysColor(COLOR_BTNFACE));
}

} // namespace
