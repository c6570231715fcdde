// List lines, key texts and the replay reading of step codes.
#include "app/steps/step_text.h"

#include <limits>

#include "runtime/core/int64_text.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/wconst_string.h"
#include "runtime/shell/split_text.h"
#include "runtime/ui/hot_key_text.h"
#include "runtime/ui/key_names.h"

namespace {

// The application's own key names; other codes have none.
const WCHAR* OwnKeyName(int32_t code) {
    switch (code) {
    case 8:
        return TEXT("Backspace");
    case 9:
        return TEXT("Tab");
    case 13:
        return TEXT("Enter");
    case 16:
        return TEXT("Shift");
    case 17:
        return TEXT("Ctrl");
    case 18:
        return TEXT("Alt");
    case 19:
        return TEXT("Pause");
    case 20:
        return TEXT("Caps Lock");
    case 27:
        return TEXT("Esc");
    case 32:
        return TEXT("空格");
    case 33:
        return TEXT("Page Up");
    case 34:
        return TEXT("Page Down");
    case 35:
        return TEXT("End");
    case 36:
        return TEXT("Home");
    case 37:
        return TEXT("向左");
    case 38:
        return TEXT("向上");
    case 39:
        return TEXT("向右");
    case 40:
        return TEXT("向下");
    case 45:
        return TEXT("Insert");
    case 46:
        return TEXT("Delete");
    case 144:
        return TEXT("Num Lock");
    case 145:
        return TEXT("ScrLk");
    default:
        return TEXT("");
    }
}

// The units after the kind letter; the empty text for codes of length 0 or 1.
const WCHAR* Remainder(const CWString& code) {
    const WCHAR* text = code.GetText();
    return text[0] != 0 ? text + 1 : text;
}

CWString Line(const WCHAR* prefix, const WCHAR* rest) {
    CWString line(prefix);
    line.Append(rest);
    return line;
}

constexpr uint32_t kModifierBits = kKeyCtrl | kKeyShift | kKeyAlt;

// The argument of a key or button step in one of the forms beyond a plain number: digits,
// then nothing, "@" and the hold's digits, "+" or "-".
struct KeyForm {
    uint32_t number = 0;
    size_t digits = 0; // units of the number
    StepAction action = StepAction::kTap;
    std::optional<uint32_t> hold_ms;
};

// Reads 1 to 10 decimal digits whose value fits 31 bits; answers how many units it read, 0 when
// there is no such number (so that a code with a larger one keeps its old reading).
size_t ReadDigits(const WCHAR* p, uint32_t& value) {
    uint64_t v = 0;
    size_t n = 0;
    for (; p[n] >= TEXT('0') && p[n] <= TEXT('9'); ++n) {
        if (n == 10)
            return 0;
        v = v * 10 + static_cast<uint64_t>(p[n] - TEXT('0'));
    }
    if (n == 0 || v > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return 0;
    value = static_cast<uint32_t>(v);
    return n;
}

std::optional<KeyForm> ReadKeyForm(const WCHAR* rest) {
    KeyForm form;
    form.digits = ReadDigits(rest, form.number);
    if (form.digits == 0)
        return std::nullopt;
    const WCHAR* p = rest + form.digits;
    if (p[0] == 0)
        return form;
    if ((p[0] == TEXT('+') || p[0] == TEXT('-')) && p[1] == 0) {
        form.action = p[0] == TEXT('+') ? StepAction::kPress : StepAction::kRelease;
        return form;
    }
    uint32_t ms = 0;
    size_t digits = p[0] == TEXT('@') ? ReadDigits(p + 1, ms) : 0;
    if (digits == 0 || p[1 + digits] != 0)
        return std::nullopt;
    form.hold_ms = ms;
    return form;
}

// An A argument in one of the forms, whose number is a key code: its low byte and modifier
// bits, nothing else (A321 keeps tapping key 65 alone).
std::optional<KeyForm> ReadKeyStepForm(const WCHAR* rest) {
    std::optional<KeyForm> form = ReadKeyForm(rest);
    if (form && (form->number & ~(0xFFu | kModifierBits)) != 0)
        return std::nullopt;
    return form;
}

// A B argument in one of the forms, whose button is exactly "1", "2" or "3".
std::optional<KeyForm> ReadButtonStepForm(const WCHAR* rest) {
    std::optional<KeyForm> form = ReadKeyForm(rest);
    if (form && (form->digits != 1 || form->number < 1 || form->number > 3))
        return std::nullopt;
    return form;
}

// What a step's action and hold add to the line of its key or button.
void AppendActionSuffix(CWString& line, const StepValues& values) {
    switch (values.action) {
    case StepAction::kPress:
        line.Append(TEXT("按下"));
        return;
    case StepAction::kRelease:
        line.Append(TEXT("松开"));
        return;
    case StepAction::kTap:
        if (values.hold_ms) {
            WCHAR digits[kInt64TextUnits];
            line.Append(TEXT("，按住"));
            line.Append(Int64ToText(*values.hold_ms, digits));
            line.Append(TEXT("毫秒"));
        }
        return;
    }
}

// The line of an A step from what the replay does with it: the key it presses (the low byte
// of the value, as the engine sends it) with the shortcut's modifiers when the code is one.
// A code that only looks like a shortcut ("A8257x", "A8513": modifier bits, but not one of the
// forms) taps the key alone, and so its line names the key alone.
CWString KeyLine(const StepValues& values) {
    const int32_t key = values.value & 0xFF;
    CWString name;
    if (values.modifiers != 0) {
        name = HotKeyText(static_cast<int64_t>(key) | values.modifiers);
    } else {
        name = KeyDisplayName(key);
        if (name.IsEmpty())
            name = HotKeyText(key);
    }
    CWString line = Line(TEXT("按键"), name.GetText());
    AppendActionSuffix(line, values);
    return line;
}

// The line of a B step from what the replay does with it: the button its value names, or the
// empty line when the value is no button (the replay then does nothing).
CWString ButtonLine(const StepValues& values) {
    static constexpr const WCHAR* kButtons[] = {TEXT("鼠标左键"), TEXT("鼠标右键"),
                                                TEXT("鼠标中键")};
    if (values.value < 1 || values.value > 3)
        return CWString();
    CWString line(kButtons[values.value - 1]);
    AppendActionSuffix(line, values);
    return line;
}

// Sets the action, hold and modifiers of an A or B step from its form, or the plain tap of
// the old reading when it has none.
void SetFormValues(StepValues& values, const std::optional<KeyForm>& form, uint32_t modifiers) {
    values.action = form ? form->action : StepAction::kTap;
    values.hold_ms = form ? form->hold_ms : std::nullopt;
    values.modifiers = form ? modifiers : 0;
}

} // namespace

int32_t StepDecimal(const WCHAR* text) {
    int64_t v = TextToInt64(text);
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

CWString KeyDisplayName(int32_t code) {
    return CWConstString(OwnKeyName(code));
}

CWString KeyBoxText(int32_t code) {
    CWString name = KeyDisplayName(code);
    if (!name.IsEmpty())
        return name;
    CWString text;
    if (code >= 0 && code < 256 && KeyCharTable[code] != 0)
        text.AppendChar(KeyCharTable[code]);
    return text;
}

CWString StepDisplayText(const CWString& code) {
    const WCHAR* rest = Remainder(code);
    switch (code.GetText()[0]) {
    // Key and button lines come from ParseStep's reading, the one the replay performs, so
    // that a line never names what the replay does not do.
    case TEXT('A'):
    case TEXT('B'): {
        StepValues values;
        return ParseStep(code, values) == TEXT('A') ? KeyLine(values) : ButtonLine(values);
    }
    case TEXT('C'):
        return Line(TEXT("移动"), rest);
    case TEXT('D'):
        return Line(TEXT("延时"), rest);
    case TEXT('E'):
        return Line(TEXT("坐标"), rest);
    default:
        return CWString();
    }
}

WCHAR ParseStep(const CWString& code, StepValues& values) {
    WCHAR kind = code.GetText()[0];
    const WCHAR* rest = Remainder(code);
    if (kind == TEXT('C') || kind == TEXT('E')) {
        CMStringArray parts;
        int64_t count = SplitText(rest, parts, TEXT("@"), true, true);
        values.x = count > 0 ? StepDecimal(parts.GetTextAt(0)) : 0;
        values.y = count > 1 ? StepDecimal(parts.GetTextAt(1)) : 0;
    } else {
        values.value = StepDecimal(rest);
        if (kind == TEXT('D'))
            values.delay = ParseDelayRange(rest);
    }
    if (kind == TEXT('A')) {
        std::optional<KeyForm> form = ReadKeyStepForm(rest);
        SetFormValues(values, form, form ? form->number & kModifierBits : 0);
    } else if (kind == TEXT('B')) {
        SetFormValues(values, ReadButtonStepForm(rest), 0);
    }
    return kind;
}
