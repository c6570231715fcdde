// Helpers for tests of texts: UTF-8 renderings that gtest can print and compare.
#pragma once

#include <string>

#include "platform/platform.h"
#include "runtime/core/wstring.h"
#include "tests/support/utf8_text.h"

inline std::string Utf8(const CWString& text) {
    return Utf8(text.GetText());
}

// The units of a text, terminator excluded, as numbers (for texts with control units).
inline std::basic_string<WCHAR> Units(const CWString& text) {
    return std::basic_string<WCHAR>(text.GetText(), static_cast<size_t>(text.GetLength()));
}
