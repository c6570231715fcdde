// Step codes and their texts: the readable list line of a code, the key names and key-box
// text of key steps, and the taking apart of a code for replay. Key codes without a name of
// the application's own are written with HotKeyText of the window framework.
//
// A step code is one kind letter (compared exactly, case and all) followed directly by its
// argument: A key code, B mouse button, C relative move "x@y", D delay in milliseconds,
// E absolute position "x@y".
//
// Key and button steps have three further forms, written with plain decimal digits and
// nothing else: "A<n>@<ms>" and "B<k>@<ms>" hold the press ms milliseconds instead of the
// standard 50; "A<n>+" and "B<k>+" press and keep down; "A<n>-" and "B<k>-" release. An A code
// whose n carries the modifier bits (Ctrl 0x2000, Shift 0x8000, Alt 0x4000) is a shortcut: the
// modifiers go down before the key and up after it. Each of these is a code that older readers
// took without harm (a plain line and a tap of the key, or an empty line), and any code that
// is not exactly one of them keeps the reading it always had: "A65abc" taps A, "B1x" clicks
// the left button under an empty line, "A321" (a bit that is no modifier) taps A alone.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/steps/delay_range.h"
#include "platform/platform.h"
#include "runtime/core/wstring.h"

// The readable list line of a step code; the empty text for a code that shows nothing. The
// line of an A or B code is made from ParseStep's reading of it, the one the replay performs:
// the key pressed (the value's low byte) with the shortcut's modifiers only when the code is
// one of the shortcut forms, the button only when the value is 1, 2 or 3, and the press,
// release or hold the replay does. C, D and E lines show the argument as written.
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

// What a key or button step does with its key or button.
enum class StepAction : uint8_t {
    kTap,     // down, a hold, up
    kPress,   // down, and kept down ("+")
    kRelease, // up ("-")
};

// The values a step sets for replay. The replay keeps one of these for a whole run: a step
// that does not set a field leaves the value of an earlier step in it.
struct StepValues {
    int32_t value = 0;
    int32_t x = 0;
    int32_t y = 0;
    // D: the ends of the delay, both equal to value for a plain delay.
    DelayRange delay;
    // Set by A and B steps, with value.
    StepAction action = StepAction::kTap;
    std::optional<uint32_t> hold_ms; // a tap's own hold; none for the standard one
    uint32_t modifiers = 0;          // A only: the shortcut's kKeyCtrl, kKeyShift, kKeyAlt bits
};

// Takes a code apart: answers its kind letter (0 for an empty code) and sets x and y for C
// and E, value for every other kind, for A and B also the action, hold and modifiers, and for
// D also the delay's range (app/steps/delay_range.h).
WCHAR ParseStep(const CWString& code, StepValues& values);

// The decimal rule of step arguments: leading blanks skipped, an optional sign, digits up to
// the first other unit; no digits give 0. Beyond the 32-bit range the value saturates at its
// limit, as the platform's _wtoi does, rather than wrapping round to an unrelated number.
int32_t StepDecimal(const WCHAR* text);
