// Font description texts into logical font records.
#include "runtime/ui/font_text.h"

#include <cmath>

#include "runtime/core/int64_text.h"
#include "runtime/core/mstring_array.h"
#include "runtime/shell/split_text.h"
#include "runtime/ui/dpi_scale.h"

namespace {

constexpr int kFieldCount = 7;
constexpr int kFaceUnits = LF_FACESIZE - 1;

// A decimal number: optional sign, digits, optional fraction; anything else ends it.
double ReadPoints(const WCHAR* text) {
    double sign = 1.0;
    if (*text == '-' || *text == '+') {
        sign = *text == '-' ? -1.0 : 1.0;
        ++text;
    }
    double value = 0.0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10.0 + (*text - '0');
    if (*text == '.') {
        double scale = 0.1;
        for (++text; *text >= '0' && *text <= '9'; ++text, scale /= 10.0)
            value += (*text - '0') * scale;
    }
    return sign * value;
}

bool IsOne(const WCHAR* field) {
    return field[0] == '1' && field[1] == 0;
}

int ScreenPixelsPerInchY() {
    HDC dc = GetDC(nullptr);
    int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc != nullptr)
        ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

} // namespace

LOGFONTW ParseFontText(const WCHAR* text) {
    return ParseFontText(text, static_cast<UINT>(ScreenPixelsPerInchY()));
}

LOGFONTW ParseFontText(const WCHAR* text, UINT dpi) {
    if (dpi == 0)
        dpi = kDesignDpi;
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    UINT system_dpi = GetDpiForSystem();
    if (system_dpi != 0 && system_dpi != dpi)
        font.lfHeight = ScaleBetweenDpis(font.lfHeight, system_dpi, dpi);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = 0;
    font.lfClipPrecision = 0;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 0;

    CMStringArray fields;
    int64_t count = SplitText(text, fields, TEXT(","), true, false);
    if (count > kFieldCount)
        count = kFieldCount;
    auto field = [&](int64_t i) -> const WCHAR* {
        const WCHAR* f = fields.GetAt(i);
        return f != nullptr ? f : TEXT("");
    };
    if (count >= 1 && field(0)[0] != 0) {
        const WCHAR* face = field(0);
        int n = 0;
        for (; n < kFaceUnits && face[n] != 0; ++n)
            font.lfFaceName[n] = face[n];
        font.lfFaceName[n] = 0;
    }
    if (count >= 2) {
        double height = std::trunc(std::fabs(ReadPoints(field(1))) * dpi / 72.0 + 0.5);
        if (height > 0 && height <= 0x7FFFFFFF)
            font.lfHeight = static_cast<LONG>(height);
    }
    if (count >= 3)
        font.lfWeight = IsOne(field(2)) ? FW_BOLD : FW_NORMAL;
    if (count >= 4)
        font.lfItalic = IsOne(field(3)) ? 1 : 0;
    if (count >= 5)
        font.lfUnderline = IsOne(field(4)) ? 1 : 0;
    if (count >= 6)
        font.lfStrikeOut = IsOne(field(5)) ? 1 : 0;
    if (count >= 7 && field(6)[0] != 0) {
        int64_t angle = TextToInt64(field(6)) % 3600;
        if (angle < 0)
            angle += 3600;
        font.lfEscapement = static_cast<LONG>(angle);
        font.lfOrientation = static_cast<LONG>(angle);
    }
    return font;
}
