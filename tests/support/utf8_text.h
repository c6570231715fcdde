// UTF-16 units rendered as UTF-8, for failure messages that gtest can print and compare. A
// unit that is not part of a pair is written as its own code point, so every unit of the text
// shows up.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

inline std::string Utf8Units(const WCHAR* units, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        char32_t c = static_cast<char16_t>(units[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count &&
            static_cast<char16_t>(units[i + 1]) >= 0xDC00 &&
            static_cast<char16_t>(units[i + 1]) <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(units[++i]) - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A zero-terminated text.
inline std::string Utf8(const WCHAR* text) {
    size_t n = 0;
    while (text[n] != 0)
        ++n;
    return Utf8Units(text, n);
}
