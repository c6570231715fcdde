// Designed lengths at a DPI: MulDiv's rounding, the way back from a scaled length, and font
// description texts at a window's DPI rather than the screen's. On Windows the scaling is also
// checked against the system's own MulDiv.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/ui/dpi_scale.h"
#include "runtime/ui/font_text.h"

namespace {

TEST(DpiScale, RoundsAsMulDiv) {
    struct Case {
        int32_t length;
        UINT dpi;
        int32_t scaled;
    } const cases[] = {
        {500, 96, 500}, {500, 144, 750}, {320, 144, 480}, {45, 144, 68},  // 67.5 up
        {-1, 144, -2},  {-4, 144, -6},   {69, 144, 104},  {69, 120, 86},  // 103.5, 86.25
        {10, 120, 13},  {-10, 120, -13}, {1, 72, 1},      {2, 72, 2},     // 12.5, 0.75, 1.5
        {0, 192, 0},    {245, 192, 490}, {24, 0, 24},     {12, 168, 21}}; // 0 counts as 96
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
        EXPECT_EQ(ScaleBetweenDpis(c.length, kDesignDpi, c.dpi), c.scaled);
    }
    EXPECT_EQ(ScaleBetweenDpis(-11, 96, 144), -17);
    EXPECT_EQ(ScaleBetweenDpis(-17, 144, 96), -11); // -11.33
    EXPECT_EQ(UnscaleForDpi(68, 144), 45);          // 45.33
}

TEST(DpiScale, AScaledLengthConvertsBackToItsDesign) {
    for (UINT dpi : {96u, 120u, 144u, 168u, 192u, 240u}) {
        for (int32_t v = -600; v <= 600; ++v) {
            ASSERT_EQ(UnscaleForDpi(ScaleForDpi(v, dpi), dpi), v) << v << " at " << dpi;
        }
    }
}

#if defined(KEYSEQ_PLATFORM_WIN32)
TEST(DpiScale, AgreesWithTheSystemsMulDiv) {
    for (UINT dpi : {72u, 96u, 120u, 144u, 150u, 192u}) {
        for (int32_t v = -1000; v <= 1000; ++v) {
            ASSERT_EQ(ScaleForDpi(v, dpi), MulDiv(v, static_cast<int>(dpi), 96))
                << v << " at " << dpi;
            ASSERT_EQ(UnscaleForDpi(v, dpi), MulDiv(v, 96, static_cast<int>(dpi)))
                << v << " at " << dpi;
        }
    }
}
#endif

TEST(DpiScale, WindowDpiOfNoWindowIsTheDesignDpi) {
    EXPECT_EQ(WindowDpi(nullptr), kDesignDpi);
}

LOGFONTW StockFont() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

TEST(ParseFontTextAtDpi, PointsAndTheStockHeightFollowTheGivenDpi) {
    const LOGFONTW stock = StockFont();
    const UINT system = GetDpiForSystem();
    for (UINT dpi : {96u, 120u, 144u, 192u}) {
        LOGFONTW list = ParseFontText(TEXT("宋体,12"), dpi);
        EXPECT_EQ(list.lfHeight, static_cast<LONG>(std::trunc(12.0 * dpi / 72.0 + 0.5))) << dpi;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(list.lfFaceName)), u"宋体");

        // No points: the stock font as it looks at that DPI, its face and weight kept.
        LOGFONTW plain = ParseFontText(TEXT(""), dpi);
        EXPECT_EQ(plain.lfHeight, ScaleBetweenDpis(stock.lfHeight, system, dpi)) << dpi;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(plain.lfFaceName)),
                  std::u16string(reinterpret_cast<const char16_t*>(stock.lfFaceName)));
        EXPECT_EQ(plain.lfWeight, stock.lfWeight);
    }
    // At the system's DPI the stock height is kept as it is, and the screen's resolution gives
    // the same record as the DPI given.
    EXPECT_EQ(ParseFontText(TEXT(""), system).lfHeight, stock.lfHeight);
    EXPECT_EQ(ParseFontText(TEXT("宋体,12"), system).lfHeight,
              ParseFontText(TEXT("宋体,12")).lfHeight);
}

} // namespace
