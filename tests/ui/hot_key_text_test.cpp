// Hot-key texts: modifiers in the order Ctrl, Shift, Alt joined with "+", and the bare name
// for a key value without modifiers or without a name.
#include <gtest/gtest.h>

#include <string>

#include "runtime/core/wstring.h"
#include "runtime/ui/hot_key_text.h"

namespace {

std::u16string Units(const CWString& text) {
    std::u16string out;
    for (const WCHAR* p = text.GetText(); *p != 0; ++p)
        out.push_back(static_cast<char16_t>(*p));
    return out;
}

TEST(HotKeyTextTest, ModifiersThenName) {
    static constexpr struct {
        int64_t value;
        const char16_t* text;
    } kCases[] = {
        {0x2041, u"Ctrl+A"},
        {0x8000 | 0x4000 | 0x70, u"Shift+Alt+F1"},
        {0x2000 | 0x8000 | 0x70, u"Ctrl+Shift+F1"},
        {0x2000 | 0x8000 | 0x4000 | 0x2E, u"Ctrl+Shift+Alt+Del"},
        {0x4000 | 0x58, u"Alt+X"},
        {0x2074, u"Ctrl+F5"},
        {0x41, u"A"},
        {0x2000 | 0xFF, u""},
        {0x100 | 0x41, u"A"}, // a bit above the low byte that is no modifier
        {-1, u""},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Units(HotKeyText(c.value)), c.text) << "value " << c.value;
}

} // namespace
