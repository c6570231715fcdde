// List lines, key texts and the replay reading of step codes.
#include "app/step_text.h"

#include <limits>

#include "runtime/core/int64_text.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/wconst_string.h"
#include "runtime/shell/split_text.h"
#include "runtime/ui/hot_key_text.h"

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
    case TEXT('A'): {
        int32_t n = StepDecimal(rest);
        CWString name = KeyDisplayName(n);
        if (name.IsEmpty())
            name = HotKeyText(n);
        return Line(TEXT("按键"), name.GetText());
    }
    case TEXT('B'): {
        static constexpr const WCHAR* kButtons[] = {TEXT("鼠标左键"), TEXT("鼠标右键"),
                                                    TEXT("鼠标中键")};
        for (int b = 0; b < 3; ++b) {
            const WCHAR digit[2] = {static_cast<WCHAR>(TEXT('1') + b), 0};
            if (rest[0] == digit[0] && rest[1] == 0)
                return CWConstString(kButtons[b]);
        }
        return CWString();
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
    return kind;
}
