// Logical fonts, stock objects and device capabilities, on both backends.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/sim_only.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

std::u16string Face(const LOGFONTW& font) {
    std::u16string face;
    for (const WCHAR* c = font.lfFaceName; *c != 0 && c < font.lfFaceName + LF_FACESIZE; ++c)
        face.push_back(static_cast<char16_t>(*c));
    return face;
}

TEST(Gdi, StockFontsReadBackWithTheFaceAndHeightOfTheSystem) {
    struct Case {
        const char* name;
        int object;
        std::u16string face;
        LONG height;
    };
    const Case cases[] = {
        {"GUI font", DEFAULT_GUI_FONT, u"MS Shell Dlg", -11},
        {"system font", SYSTEM_FONT, u"System", 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HGDIOBJ font = GetStockObject(c.object);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
        LOGFONTW read{};
        ASSERT_EQ(GetObjectW(font, sizeof(read), &read), static_cast<int>(sizeof(read)));
        EXPECT_EQ(Face(read), c.face);
        EXPECT_EQ(read.lfHeight, c.height);
        EXPECT_TRUE(DeleteObject(font)) << "stock objects answer TRUE and stay";
        EXPECT_EQ(GetObjectW(font, sizeof(read), &read), static_cast<int>(sizeof(read)));
    }
}

TEST(Gdi, CreatedFontReadsBackAsCreatedUntilDeleted) {
    LOGFONTW font{};
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    font.lfUnderline = TRUE;
    font.lfCharSet = GB2312_CHARSET;
    const std::u16string face = u"\u5b8b\u4f53"; // a CJK face name
    std::copy(face.begin(), face.end(), font.lfFaceName);
    HFONT created = CreateFontIndirectW(&font);
    ASSERT_NE(created, nullptr);
    LOGFONTW read{};
    ASSERT_EQ(GetObjectW(created, sizeof(read), &read), static_cast<int>(sizeof(read)));
    EXPECT_EQ(read.lfHeight, -16);
    EXPECT_EQ(read.lfWeight, FW_BOLD);
    EXPECT_EQ(read.lfItalic, TRUE);
    EXPECT_EQ(read.lfUnderline, TRUE);
    EXPECT_EQ(read.lfStrikeOut, FALSE);
    EXPECT_EQ(read.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(Face(read), face);
    EXPECT_TRUE(DeleteObject(created));
    EXPECT_EQ(GetObjectW(created, sizeof(read), &read), 0) << "gone once deleted";
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST(Gdi, StockBrushesReadBackTheirStyleAndColour) {
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectW(GetStockObject(WHITE_BRUSH), sizeof(brush), &brush),
              static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));
    ASSERT_EQ(GetObjectW(GetStockObject(NULL_BRUSH), sizeof(brush), &brush),
              static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_NULL));
}

TEST(Gdi, TheScreenHasNinetySixDotsPerInch) {
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

#if defined(KEYSEQ_PLATFORM_SIM)
TEST(Gdi, ATestCanSetTheResolution) {
    sim::SetLogPixels(120);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 120);
    sim::SetLogPixels(0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    ReleaseDC(nullptr, dc);
}
#else
KEYSEQ_SIM_ONLY_TEST(Gdi, ATestCanSetTheResolution,
                     "the resolution is set through the simulation's test interface")
#endif

} // namespace
