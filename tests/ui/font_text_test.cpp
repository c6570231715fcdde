// Font description texts: fields over the stock GUI font, on both backends (the expected
// values are computed from the platform's own stock font and screen resolution).
#include <cmath>

#include <gmock/gmock.h>

#include "runtime/ui/font_text.h"

namespace {

LOGFONTW StockFont() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

int Dpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

LONG HeightFor(double points) {
    return static_cast<LONG>(std::trunc(std::fabs(points) * Dpi() / 72.0 + 0.5));
}

std::u16string Face(const LOGFONTW& font) {
    return reinterpret_cast<const char16_t*>(font.lfFaceName);
}

TEST(ParseFontText, FaceAndPointsOverTheStockFont) {
    LOGFONTW stock = StockFont();
    LOGFONTW font = ParseFontText(reinterpret_cast<const WCHAR*>(u"宋体,12"));
    EXPECT_EQ(Face(font), u"宋体");
    EXPECT_EQ(font.lfHeight, HeightFor(12));
    if (Dpi() == 96) {
        EXPECT_EQ(font.lfHeight, 16);
    }
    EXPECT_EQ(font.lfWeight, stock.lfWeight);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(font.lfOutPrecision, 0);
    EXPECT_EQ(font.lfClipPrecision, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0);
}

TEST(ParseFontText, FieldCases) {
    LOGFONTW stock = StockFont();
    struct Case {
        const char16_t* text;
        std::u16string face;
        LONG height;
        LONG weight;
        BYTE italic, underline, strikeout;
        LONG angle;
    };
    const std::u16string stockFace = Face(stock);
    const Case cases[] = {
        // Empty face and size keep the stock ones; "1" in the third field is bold.
        {u",,1", stockFace, stock.lfHeight, 700, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 0},
        // A size of 0 keeps the stock height; anything but "1" is normal weight.
        {u"Arial,0,0", u"Arial", stock.lfHeight, 400, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 0},
        // Blanks around fields are trimmed; a negative size counts by its magnitude.
        {u"  Arial , -9 , 1 , 1 , 1 , 1 , 900 ", u"Arial", HeightFor(9), 700, 1, 1, 1, 900},
        // Only exactly "1" switches a flag on.
        {u"Arial,10,2,01,yes,1 0", u"Arial", HeightFor(10), 400, 0, 0, 0, 0},
        // Fractional points.
        {u"Arial,10.5", u"Arial", HeightFor(10.5), stock.lfWeight, stock.lfItalic,
         stock.lfUnderline, stock.lfStrikeOut, 0},
        // Angles are brought into 0..3599.
        {u"A,,,,,,-900", u"A", stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 2700},
        {u"A,,,,,,7300", u"A", stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 100},
        {u"A,,,,,,-3600", u"A", stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 0},
        // Fields after the seventh are ignored.
        {u"A,,,,,,10,1,1", u"A", stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 10},
        // Faces are cut to 31 characters.
        {u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij", u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde",
         stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline, stock.lfStrikeOut, 0},
        {u"", stockFace, stock.lfHeight, stock.lfWeight, stock.lfItalic, stock.lfUnderline,
         stock.lfStrikeOut, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        LOGFONTW font = ParseFontText(reinterpret_cast<const WCHAR*>(c.text));
        EXPECT_EQ(Face(font), c.face);
        EXPECT_EQ(font.lfHeight, c.height);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(font.lfItalic, c.italic);
        EXPECT_EQ(font.lfUnderline, c.underline);
        EXPECT_EQ(font.lfStrikeOut, c.strikeout);
        EXPECT_EQ(font.lfEscapement, c.angle);
        EXPECT_EQ(font.lfOrientation, c.angle);
    }
}

TEST(ParseFontText, ANullTextIsTheStockFontWithTheFixedFields) {
    LOGFONTW stock = StockFont();
    LOGFONTW font = ParseFontText(nullptr);
    EXPECT_EQ(Face(font), Face(stock));
    EXPECT_EQ(font.lfHeight, stock.lfHeight);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
}

} // namespace
