// The key-name table and the key-code rule. The modifier cases drive the key state through
// the simulated input stream and are host-only: on Windows GetKeyState is the state of the
// thread's own input, which injected keys reach only through a focused window.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "runtime/ui/key_names.h"

namespace {

std::u16string Units(const WCHAR* text) {
    std::u16string out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<char16_t>(*text));
    return out;
}

TEST(KeyNameTest, NamedEntries) {
    static constexpr struct {
        int64_t code;
        const char16_t* name;
    } kCases[] = {
        {0x03, u"Break"},
        {0x08, u"Backspace"},
        {0x0C, u"PadCenter"},
        {0x10, u"Shift"},
        {0x13, u"Pause"},
        {0x14, u"CapsLock"},
        {0x1B, u"ESC"},
        {0x20, u"Space"},
        {0x21, u"PageUp"},
        {0x2D, u"Ins"},
        {0x2E, u"Del"},
        {0x30, u"0"},
        {0x39, u"9"},
        {0x41, u"A"},
        {0x5A, u"Z"},
        {0x6A, u"PadMul"},
        {0x6B, u"PadPlus"},
        {0x70, u"F1"},
        {0x7F, u"F16"},
        {0x90, u"NumLock"},
        {0x91, u"ScrollLock"},
        {0xBA, u";"},
        {0xC0, u"`"},
        {0xDC, u"\\"},
        {0xDE, u"'"},
        // Only the low byte counts.
        {0x2041, u"A"},
        {0x170, u"F1"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Units(KeyNameText(c.code)), c.name) << "code " << c.code;
}

TEST(KeyNameTest, EightyNineNamesAndTheRestEmpty) {
    // The table names exactly these keys; every other entry is the empty text, never null.
    auto named = [](int c) {
        return c == 0x03 || c == 0x08 || c == 0x09 || c == 0x0C || c == 0x0D ||
               (c >= 0x10 && c <= 0x14) || c == 0x1B || (c >= 0x20 && c <= 0x28) || c == 0x2D ||
               c == 0x2E || (c >= 0x30 && c <= 0x39) || (c >= 0x41 && c <= 0x5A) || c == 0x6A ||
               c == 0x6B || (c >= 0x70 && c <= 0x7F) || c == 0x90 || c == 0x91 ||
               (c >= 0xBA && c <= 0xC0) || (c >= 0xDB && c <= 0xDE);
    };
    for (int c = 0; c < 256; ++c) {
        const WCHAR* name = KeyNameText(c);
        ASSERT_NE(name, nullptr) << "code " << c;
        EXPECT_EQ(name[0] != 0, named(c)) << "code " << c;
    }
    EXPECT_TRUE(KeyName(0x5B).IsEmpty());
    EXPECT_EQ(Units(KeyName(0x12).GetText()), u"Alt");
}

TEST(KeyCodeTest, PlainKeys) {
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::ResetInput();
#endif
    static constexpr struct {
        WPARAM v;
        uint32_t code;
    } kCases[] = {
        {0x65, 0x35}, // keypad 5 is the main 5
        {0x60, 0x30}, {0x69, 0x39}, {0x6D, 0xBD},  {0x6E, 0xBE},
        {0x6F, 0xBF}, {0x6B, 0x6B},                           // keypad plus keeps its own name
        {0x6A, 0x6A}, {0x41, 0x41}, {0x74, 0x74},  {0x5B, 0}, // the Windows key has no name
        {0x00, 0},    {0xFF, 0},    {0x141, 0x41},            // only the low byte of wParam counts
    };
    for (const auto& c : kCases)
        EXPECT_EQ(KeyCodeFromVirtualKey(c.v), c.code) << "v " << c.v;
}

TEST(KeyCodeTest, ModifiersHeldAtTheTimeOfTheCall) {
#if !defined(KEYSEQ_PLATFORM_SIM)
    GTEST_SKIP() << "drives the key state through the simulated input stream";
#else
    sim::ResetInput();
    sim::PressKey(VK_CONTROL);
    EXPECT_EQ(KeyCodeFromVirtualKey(VK_CONTROL), 0x11u) << "Ctrl alone has no Ctrl bit";
    EXPECT_EQ(KeyCodeFromVirtualKey(VK_F5), 0x2074u);
    EXPECT_EQ(KeyCodeFromVirtualKey(0x5B), 0u) << "no name, no modifiers";
    sim::PressKey(VK_SHIFT);
    sim::PressKey(VK_MENU);
    EXPECT_EQ(KeyCodeFromVirtualKey(0x61), 0x31u | 0x2000u | 0x8000u | 0x4000u);
    EXPECT_EQ(KeyCodeFromVirtualKey(VK_SHIFT), 0x10u | 0x2000u | 0x4000u);
    EXPECT_EQ(KeyCodeFromVirtualKey(VK_MENU), 0x12u | 0x2000u | 0x8000u);
    sim::ReleaseKey(VK_CONTROL);
    sim::ReleaseKey(VK_SHIFT);
    sim::ReleaseKey(VK_MENU);
    EXPECT_EQ(KeyCodeFromVirtualKey(VK_F5), 0x74u) << "read at the call, not remembered";
    sim::ResetInput();
#endif
}

} // namespace
