// Reading the add boxes' texts into numbers, and the codes made of them.
#include "app/steps/box_input.h"

#include <limits>

#include "app/steps/step_text.h"
#include "runtime/core/int64_text.h"

namespace {

constexpr WCHAR kBlank = TEXT(' ');

// The ASCII reading of one unit: full-width digits, signs and tildes as their ASCII twins,
// every blank as a space, anything else as it is.
WCHAR Plain(WCHAR unit) {
    if (unit >= 0xFF10 && unit <= 0xFF19) // full-width digits
        return static_cast<WCHAR>(TEXT('0') + (unit - 0xFF10));
    switch (unit) {
    case 0xFF0B: // full-width plus
        return TEXT('+');
    case 0xFF0D: // full-width hyphen-minus
    case 0x2212: // minus sign
        return TEXT('-');
    case 0xFF5E: // full-width tilde, what a Chinese input method types for "~"
    case 0x301C: // wave dash, the same key of a Japanese one
        return TEXT('~');
    case 0x00A0: // no-break space
    case 0x3000: // ideographic space
        return kBlank;
    default:
        return unit <= 0x20 ? kBlank : unit;
    }
}

bool IsDigit(WCHAR unit) {
    return unit >= TEXT('0') && unit <= TEXT('9');
}

// Reads a box's text unit by unit in its ASCII reading.
class BoxReader {
public:
    explicit BoxReader(const WCHAR* text) : m_pText(text) {}

    WCHAR Peek() const { return Plain(m_pText[m_nAt]); }
    bool AtEnd() const { return m_pText[m_nAt] == 0; }
    void Next() { ++m_nAt; }
    void SkipBlanks() {
        while (!AtEnd() && Peek() == kBlank)
            Next();
    }
    // Whether blanks come next and a digit after them: a blank inside a number.
    bool BlankThenDigit() const {
        size_t at = m_nAt;
        while (m_pText[at] != 0 && Plain(m_pText[at]) == kBlank)
            ++at;
        return at != m_nAt && IsDigit(Plain(m_pText[at]));
    }

    // An optional sign and digits, nothing between them and nothing but a non-digit after.
    BoxFault Number(int32_t& value) {
        bool negative = false;
        if (Peek() == TEXT('+') || Peek() == TEXT('-')) {
            negative = Peek() == TEXT('-');
            Next();
            if (BlankThenDigit())
                return BoxFault::kBlankInNumber;
        }
        if (AtEnd() || !IsDigit(Peek()))
            return BoxFault::kNotANumber;
        int64_t magnitude = 0;
        bool too_large = false;
        for (; !AtEnd() && IsDigit(Peek()); Next()) {
            magnitude = magnitude * 10 + (Peek() - TEXT('0'));
            // Past either limit already; stop growing so that it cannot overflow.
            if (magnitude > int64_t{1} << 32) {
                magnitude = int64_t{1} << 32;
                too_large = true;
            }
        }
        if (BlankThenDigit())
            return BoxFault::kBlankInNumber;
        int64_t v = negative ? -magnitude : magnitude;
        if (too_large || v > std::numeric_limits<int32_t>::max() ||
            v < std::numeric_limits<int32_t>::min())
            return BoxFault::kOutOfRange;
        value = static_cast<int32_t>(v);
        return BoxFault::kNone;
    }

private:
    const WCHAR* m_pText;
    size_t m_nAt = 0;
};

BoxNumbers Read(const WCHAR* text, bool range_allowed) {
    BoxNumbers out;
    BoxReader reader(text != nullptr ? text : TEXT(""));
    reader.SkipBlanks();
    if (reader.AtEnd())
        return out; // an empty box means 0
    out.fault = reader.Number(out.first);
    if (out.fault != BoxFault::kNone)
        return out;
    out.second = out.first;
    reader.SkipBlanks();
    if (range_allowed && !reader.AtEnd() && reader.Peek() == TEXT('~')) {
        reader.Next();
        reader.SkipBlanks();
        out.range = true;
        out.fault = reader.Number(out.second);
        if (out.fault != BoxFault::kNone)
            return out;
        reader.SkipBlanks();
    }
    if (!reader.AtEnd())
        out.fault = BoxFault::kNotANumber;
    return out;
}

void AppendNumber(CWString& text, int32_t value) {
    WCHAR digits[kInt64TextUnits];
    text.Append(Int64ToText(value, digits));
}

// Whether a scheme file would hold the code as one code: its reading cuts the text at every
// blank and trims units up to U+0020 from each piece.
bool IsOneFileCode(const CWString& code) {
    const WCHAR* text = code.GetText();
    if (text[0] == 0)
        return false;
    for (; *text != 0; ++text) {
        if (*text <= 0x20)
            return false;
    }
    return true;
}

} // namespace

BoxNumbers ReadNumberBox(const WCHAR* text) {
    return Read(text, false);
}

BoxNumbers ReadDelayBox(const WCHAR* text) {
    return Read(text, true);
}

CWString DelayCode(const BoxNumbers& delay) {
    CWString code(TEXT("D"));
    AppendNumber(code, delay.first);
    if (delay.range) {
        code.AppendChar(TEXT('~'));
        AppendNumber(code, delay.second);
    }
    return code;
}

CWString PairCode(WCHAR kind, int32_t x, int32_t y) {
    CWString code;
    code.AppendChar(kind);
    AppendNumber(code, x);
    code.AppendChar(TEXT('@'));
    AppendNumber(code, y);
    return code;
}

bool DelayCodeReadsBack(const CWString& code, const BoxNumbers& delay) {
    if (!IsOneFileCode(code))
        return false;
    StepValues values;
    const int32_t second = delay.range ? delay.second : delay.first;
    return ParseStep(code, values) == TEXT('D') && values.value == delay.first &&
           values.delay.first == delay.first && values.delay.second == second;
}

bool PairCodeReadsBack(const CWString& code, WCHAR kind, int32_t x, int32_t y) {
    if (!IsOneFileCode(code))
        return false;
    StepValues values;
    return ParseStep(code, values) == kind && values.x == x && values.y == y;
}

const WCHAR* BoxFaultText(BoxFault fault, bool delay_box) {
    switch (fault) {
    case BoxFault::kNone:
        return TEXT("");
    case BoxFault::kBlankInNumber:
        return TEXT("数字中间不能有空格");
    case BoxFault::kNotANumber:
        return delay_box ? TEXT("只能填写毫秒数（整数），或“50~80”这样的范围")
                         : TEXT("只能填写整数");
    case BoxFault::kOutOfRange:
        return TEXT("数字超出范围（-2147483648 到 2147483647）");
    }
    return TEXT("");
}
