// Step codes and their texts: the readable list line of a code, the key names and key-box
// text of key steps, and the taking apart of a code for replay. Key codes without a name of
// the application's own are written with HotKeyText of the window framework.
//
// A step code is one kind letter (compared exactly, case and all) followed directly by its
// argument: A key code, B mouse button, C relative move "x@y", D delay in milliseconds,
// E absolute position "x@y".
#pragma once

#include <array>
#include <cstdint>

#include "app/delay_range.h"
#include "platform/platform.h"
#include "runtime/core/wstring.h"

// The readable list line of a step code; the empty text for a code that shows nothing.
CWString StepDisplayText(const CWString& code);

// The application's own name of a key code, or the empty text.
CWString KeyDisplayName(int32_t code);

// The text the key box shows for a key code: its own name, else its character, else empty.
CWString KeyBoxText(int32_t code);

namespace step_text_detail {
constexpr std::array<WCHAR, 256> MakeKeyCharTable() {
    std::array<WCHAR, 256> t{};
    t[8] = 0x0008;
    t[9] = 0x0009;
    t[13] = 0x000D;
    t[32] = 0x0020;
    for (int i = 0; i < 10; ++i)
        t[48 + i] = static_cast<WCHAR>(TEXT('0') + i);
    for (int i = 0; i < 26; ++i)
        t[65 + i] = static_cast<WCHAR>(TEXT('A') + i);
    t[106] = TEXT('*');
    t[107] = TEXT('+');
    t[186] = TEXT(';');
    t[187] = TEXT('=');
    t[188] = TEXT(',');
    t[189] = TEXT('-');
    t[190] = TEXT('.');
    t[191] = TEXT('/');
    t[192] = TEXT('`');
    t[219] = TEXT('[');
    t[220] = TEXT('\\');
    t[221] = TEXT(']');
    t[222] = TEXT('\'');
    return t;
}
} // namespace step_text_detail

// The character of each key code, 0 for a key without one. Only the key box uses it.
inline constexpr std::array<WCHAR, 256> KeyCharTable = step_text_detail::MakeKeyCharTable();

// The values a step sets for replay. The replay keeps one of these for a whole run: a step
// that does not set a field leaves the value of an earlier step in it.
struct StepValues {
    int32_t value = 0;
    int32_t x = 0;
    int32_t y = 0;
    // D: the ends of the delay, both equal to value for a plain delay.
    DelayRange delay;
};

// Takes a code apart: answers its kind letter (0 for an empty code) and sets x and y for C
// and E, value for every other kind, and for D also the delay's range (app/delay_range.h).
WCHAR ParseStep(const CWString& code, StepValues& values);

// The decimal rule of step arguments: leading blanks skipped, an optional sign, digits up to
// the first other unit; no digits give 0. Beyond the 32-bit range the value saturates at its
// limit, as the platform's _wtoi does, rather than wrapping round to an unrelated number.
int32_t StepDecimal(const WCHAR* text);
