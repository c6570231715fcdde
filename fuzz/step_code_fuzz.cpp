// Fuzzes the reading of step codes. Input: one code as little-endian UTF-16 units (zero units
// dropped). Besides the sanitizers' checks it holds the list line and the replay reading of a
// code to each other, since both must agree on which form a code is: the line of a key step is
// "按键", the key's name and exactly the ending its parsed action and hold call for; a button
// step has a line only for buttons 1 to 3; a shortcut's modifiers are bits of its value; and a
// code written back from a parsed form parses the same again. For a delay: its plain value is
// the decimal reading of its argument, as an older reader takes it, and every length drawn from
// a range lies between its ends (negative ends counting as 0).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "app/steps/delay_range.h"
#include "app/steps/step_text.h"
#include "fuzz/support/fuzz_units.h"
#include "runtime/core/int64_text.h"
#include "runtime/ui/hot_key_text.h"
#include "runtime/ui/key_names.h"

namespace {

constexpr uint32_t kModifiers = kKeyCtrl | kKeyShift | kKeyAlt;

bool Same(const CWString& a, const CWString& b) {
    const WCHAR* p = a.GetText();
    const WCHAR* q = b.GetText();
    for (; *p != 0 && *p == *q; ++p, ++q) {
    }
    return *p == *q;
}

// The ending of a key or button line for a parsed action and hold.
CWString Ending(const StepValues& v) {
    CWString text;
    if (v.action == StepAction::kPress) {
        text.Append(TEXT("按下"));
    } else if (v.action == StepAction::kRelease) {
        text.Append(TEXT("松开"));
    } else if (v.hold_ms) {
        WCHAR digits[kInt64TextUnits];
        text.Append(TEXT("，按住"));
        text.Append(Int64ToText(*v.hold_ms, digits));
        text.Append(TEXT("毫秒"));
    }
    return text;
}

// The code of a parsed key or button form, written plainly.
CWString Rewrite(WCHAR kind, const StepValues& v) {
    WCHAR digits[kInt64TextUnits];
    CWString code;
    code.AppendChar(kind);
    code.Append(Int64ToText(v.value, digits));
    if (v.action == StepAction::kPress) {
        code.Append(TEXT("+"));
    } else if (v.action == StepAction::kRelease) {
        code.Append(TEXT("-"));
    } else if (v.hold_ms) {
        code.Append(TEXT("@"));
        code.Append(Int64ToText(*v.hold_ms, digits));
    }
    return code;
}

// The reading of a D code and the lengths drawn from it.
void CheckDelay(const CWString& code, const StepValues& v, size_t seed) {
    if (v.value != StepDecimal(code.GetText() + 1) || v.delay.first != v.value)
        std::abort();
    if (!v.delay.IsRange())
        return;
    std::mt19937 random(static_cast<unsigned>(seed));
    const uint32_t low =
        static_cast<uint32_t>(std::max(std::min(v.delay.first, v.delay.second), 0));
    const uint32_t high =
        static_cast<uint32_t>(std::max(std::max(v.delay.first, v.delay.second), 0));
    for (int i = 0; i < 4; ++i) {
        const uint32_t ms = DrawDelayMs(v.delay, random);
        if (ms < low || ms > high)
            std::abort();
    }
}

bool IsForm(const StepValues& v) {
    return v.action != StepAction::kTap || v.hold_ms.has_value() || v.modifiers != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<WCHAR> units = FuzzUnits(data, size);
    CWString code(units.data());
    StepValues v;
    const WCHAR kind = ParseStep(code, v);
    if (kind != units[0])
        std::abort();
    const CWString line = StepDisplayText(code);
    if (kind < TEXT('A') || kind > TEXT('E')) {
        if (!line.IsEmpty())
            std::abort();
        return 0;
    }
    if (kind == TEXT('D'))
        CheckDelay(code, v, size);
    if (kind != TEXT('A') && kind != TEXT('B'))
        return 0;
    if ((v.modifiers & ~kModifiers) != 0 || (v.modifiers & ~static_cast<uint32_t>(v.value)) != 0 ||
        (kind == TEXT('B') && v.modifiers))
        std::abort();

    CWString expected;
    if (kind == TEXT('A')) {
        // The line names the key the replay presses, the value's low byte, with modifiers
        // only where the code is a shortcut form ("A8257x" taps A alone, and says so).
        const int32_t key = v.value & 0xFF;
        expected.Append(TEXT("按键"));
        if (v.modifiers != 0) {
            expected.Append(HotKeyText(static_cast<int64_t>(key) | v.modifiers));
        } else {
            CWString name = KeyDisplayName(key);
            expected.Append(name.IsEmpty() ? HotKeyText(key) : name);
        }
        expected.Append(Ending(v));
    } else {
        // The line names the button the replay clicks: every code whose reading is button 1
        // to 3 (B1x and B01 click the left one) has its line, every other button none.
        if (IsForm(v) && (v.value < 1 || v.value > 3))
            std::abort();
        if (v.value >= 1 && v.value <= 3) {
            static constexpr const WCHAR* kButtons[] = {TEXT("鼠标左键"), TEXT("鼠标右键"),
                                                        TEXT("鼠标中键")};
            expected.Append(kButtons[v.value - 1]);
            expected.Append(Ending(v));
        }
    }
    if (!Same(line, expected))
        std::abort();

    if (IsForm(v)) {
        StepValues again;
        const CWString rewritten = Rewrite(kind, v);
        if (ParseStep(rewritten, again) != kind || again.value != v.value ||
            again.action != v.action || again.hold_ms != v.hold_ms ||
            again.modifiers != v.modifiers || !Same(StepDisplayText(rewritten), line))
            std::abort();
    }
    return 0;
}
