// Helpers for tests of step codes and list lines: codes written as char16_t literals, and
// texts read back as std::u16string, so that one table serves both backends (WCHAR is
// wchar_t on Windows and char16_t on the host).
#pragma once

#include <string>

#include "runtime/core/wstring.h"

namespace step_code_testing {

inline std::u16string Units(const CWString& text) {
    std::u16string out;
    for (const WCHAR* p = text.GetText(); *p != 0; ++p)
        out.push_back(static_cast<char16_t>(*p));
    return out;
}

inline CWString Code(const char16_t* units) {
    CWString code;
    for (; *units != 0; ++units)
        code.AppendChar(static_cast<WCHAR>(*units));
    return code;
}

} // namespace step_code_testing
