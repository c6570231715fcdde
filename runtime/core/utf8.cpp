// Utf8ToText: one pass over the bytes into room for one unit per byte.
#include "runtime/core/utf8.h"

#include <cstring>

#include "runtime/core/wstring.h"

void Utf8ToText(const char* bytes, CWString& text) {
    Utf8ToText(bytes, bytes == nullptr ? 0 : static_cast<int64_t>(std::strlen(bytes)), text);
}

void Utf8ToText(const char* bytes, int64_t count, CWString& text) {
    if (bytes == nullptr || count <= 0) {
        text.Empty();
        return;
    }
    // No character takes fewer bytes than units, so one unit per byte always suffices.
    WCHAR* out = text.BeginWrite(count);
    auto in = reinterpret_cast<const unsigned char*>(bytes);
    int64_t written = 0;
    int64_t i = 0;
    while (i < count) {
        unsigned char lead = in[i];
        if (lead == 0)
            break;
        uint32_t cp;
        int follow;
        if (lead < 0x80) {
            cp = lead;
            follow = 0;
        } else if (lead >= 0xC0 && lead <= 0xDF) {
            cp = lead & 0x1Fu;
            follow = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            cp = lead & 0x0Fu;
            follow = 2;
        } else if (lead >= 0xF0 && lead <= 0xF7) {
            cp = lead & 0x07u;
            follow = 3;
        } else if (lead >= 0xF8 && lead <= 0xFB) {
            cp = lead & 0x03u;
            follow = 4;
        } else if (lead >= 0xFC && lead <= 0xFD) {
            cp = lead & 0x01u;
            follow = 5;
        } else {
            break; // a continuation byte, 0xFE or 0xFF cannot start a character
        }
        if (follow > count - i - 1)
            break; // cut short by the end of the input
        bool complete = true;
        for (int k = 1; k <= follow; ++k) {
            unsigned char next = in[i + k];
            if ((next & 0xC0u) != 0x80u) {
                complete = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3Fu);
        }
        if (!complete)
            break;
        i += 1 + follow;
        if (cp > 0xFFFF) {
            out[written++] = static_cast<WCHAR>((((cp - 0x10000u) >> 10) & 0x3FFu) | 0xD800u);
            out[written++] = static_cast<WCHAR>((cp & 0x3FFu) | 0xDC00u);
        } else {
            out[written++] = static_cast<WCHAR>(cp);
        }
    }
    text.EndWrite(written);
}
