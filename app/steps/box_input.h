// The texts of the delay, move and coordinate boxes read as the numbers they mean, and the step
// codes made of those numbers.
//
// What reaches a box is not always plain ASCII: a Chinese input method types full-width
// digits ("５０") and the full-width tilde ("50～80"), and a paste may bring blanks. Read
// here: full-width digits, plus and minus signs (and U+2212 minus), and the tildes U+FF5E and
// U+301C count as their ASCII units; blanks (units up to U+0020, U+00A0 and the ideographic
// space U+3000) before and after a number or the tilde are dropped. An empty or blank box
// means 0, as it always did. Refused, with the fault: a blank inside a number ("5 0", "- 5"),
// anything else that is not one number (or, in the delay box, two numbers joined by one
// tilde), and a number beyond the 32-bit range of step values.
//
// The codes are written from the numbers ("D50", "D50~80", "C3@4", "E100@200"), never from
// the box's text, so that a code holds no blank (which a scheme file would cut it at) and
// no empty part (which the reading of "x@y" would drop, so that "C@5" moved by 5, 0).
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

enum class BoxFault : uint8_t {
    kNone,
    kBlankInNumber, // "5 0"
    kNotANumber,    // "abc", "5x", "~80", "50~80~90"
    kOutOfRange,    // beyond the 32-bit range
};

struct BoxNumbers {
    BoxFault fault = BoxFault::kNone;
    int32_t first = 0;
    // The delay box: the range's second end, and whether the text was a range ("50~80").
    int32_t second = 0;
    bool range = false;
};

// One number: a move or coordinate box.
BoxNumbers ReadNumberBox(const WCHAR* text);
// One number, or two joined by "~": the delay box.
BoxNumbers ReadDelayBox(const WCHAR* text);

// "D" and the delay: the number, or both ends joined by "~".
CWString DelayCode(const BoxNumbers& delay);
// kind ('C' or 'E'), x, "@", y.
CWString PairCode(WCHAR kind, int32_t x, int32_t y);

// Whether a code reads back as the one step the boxes meant: it is one code in a scheme file
// (no unit that the file's reading cuts or trims at) and ParseStep, the reading the replay
// uses, gives its kind with these numbers (for D the value and the delay's ends, for C and E
// x and y).
bool DelayCodeReadsBack(const CWString& code, const BoxNumbers& delay);
bool PairCodeReadsBack(const CWString& code, WCHAR kind, int32_t x, int32_t y);

// What is wrong, for the message that names the box; empty for kNone. delay_box: the delay
// box also takes a range, which its text says.
const WCHAR* BoxFaultText(BoxFault fault, bool delay_box);
