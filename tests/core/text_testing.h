// Helpers for tests of texts: UTF-8 renderings that gtest can print and compare.
#pragma once

#include <string>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

// UTF-16 units to UTF-8; a unit that is not part of a pair is written as its own code point,
// so every unit of the text shows up in a failure message.
inline std::string Utf8(const WCHAR* text) {
    std::string out;
    for (const WCHAR* p = text; *p != 0; ++p) {
        char32_t cp = static_cast<char16_t>(*p);
        if (cp >= 0xD800 && cp <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(p[1]) - 0xDC00);
            ++p;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

inline std::string Utf8(const CWString& text) {
    return Utf8(text.GetText());
}

// The units of a text, terminator excluded, as numbers (for texts with control units).
inline std::basic_string<WCHAR> Units(const CWString& text) {
    return std::basic_string<WCHAR>(text.GetText(), static_cast<size_t>(text.GetLength()));
}
