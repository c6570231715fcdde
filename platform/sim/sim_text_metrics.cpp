// Text metrics made up from the selected font's record.
#include "platform/sim/sim_text_metrics.h"

#include "platform/sim/sim_gdi_object.h"
#include "platform/sim/sim_text_paint_state.h"

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW metrics) {
    if (hdc == nullptr || metrics == nullptr)
        return FALSE;
    HGDIOBJ font = sim::detail::SelectedFont(hdc);
    LOGFONTW record{};
    if (font == nullptr || GetObjectW(font, sizeof record, &record) != sizeof record)
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof record, &record);
    LONG height = record.lfHeight;
    LONG leading = 0;
    if (height < 0) {
        leading = -height / 5;
        height = -height + leading;
    } else if (height == 0) {
        height = 16;
    }
    *metrics = TEXTMETRICW{};
    metrics->tmHeight = height;
    metrics->tmInternalLeading = leading;
    metrics->tmDescent = height / 5;
    metrics->tmAscent = height - metrics->tmDescent;
    metrics->tmAveCharWidth = height / 2;
    metrics->tmMaxCharWidth = height;
    metrics->tmWeight = record.lfWeight != 0 ? record.lfWeight : 400;
    metrics->tmCharSet = record.lfCharSet;
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
    TEXTMETRICW metrics{};
    if (size == nullptr || count < 0 || (text == nullptr && count > 0) ||
        !GetTextMetricsW(hdc, &metrics))
        return FALSE;
    LONG width = 0;
    for (int i = 0; i < count; ++i)
        width += text[i] < 0x80 ? metrics.tmAveCharWidth : 2 * metrics.tmAveCharWidth;
    *size = SIZE{width, metrics.tmHeight};
    return TRUE;
}
