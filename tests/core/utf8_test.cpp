// Utf8ToText: the decoding table and the rules for where decoding stops.
#include "runtime/core/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/core/wconst_string.h"
#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

struct Utf8Case {
    const char* name;
    std::vector<unsigned char> bytes;
    std::vector<unsigned> units;
};

std::vector<unsigned> UnitList(const CWString& text) {
    std::vector<unsigned> units;
    for (int64_t i = 0; i < text.GetLength(); ++i)
        units.push_back(static_cast<unsigned>(text.GetText()[i]));
    return units;
}

TEST(Utf8ToTextTest, DecodingTable) {
    const Utf8Case cases[] = {
        {"empty", {}, {}},
        {"ascii", {'A', 'b', '~'}, {0x41, 0x62, 0x7E}},
        {"two bytes", {0xC3, 0xA9}, {0xE9}},
        {"three bytes", {0xE4, 0xB8, 0xAD}, {0x4E2D}},
        {"four bytes", {0xF0, 0x9F, 0x98, 0x80}, {0xD83D, 0xDE00}},
        {"last plane", {0xF4, 0x8F, 0xBF, 0xBF}, {0xDBFF, 0xDFFF}},
        {"above the last plane", {0xF4, 0x90, 0x80, 0x80}, {0xD800, 0xDC00}},
        {"five bytes", {0xF8, 0x88, 0x80, 0x80, 0x80}, {0xDBC0, 0xDC00}},
        {"six bytes", {0xFC, 0x84, 0x80, 0x80, 0x80, 0x80}, {0xDBC0, 0xDC00}},
        {"overlong slash", {0xC0, 0xAF}, {0x2F}},
        {"overlong zero", {0xC0, 0x80, 'x'}, {0x0, 'x'}},
        {"encoded surrogate", {0xED, 0xA0, 0x80}, {0xD800}},
        {"mixed", {'a', 0xE4, 0xB8, 0xAD, 'b'}, {'a', 0x4E2D, 'b'}},
        // Where decoding stops:
        {"cut by the end", {0x41, 0xC3}, {0x41}},
        {"cut by the end, three bytes", {0x41, 0xE4, 0xB8}, {0x41}},
        {"cut by a non-continuation", {0x41, 0xE4, 0xB8, 0x41, 0x42}, {0x41}},
        {"lone continuation", {0x41, 0x80, 0x42}, {0x41}},
        {"continuation first", {0xBF, 0x41}, {}},
        {"FE", {0x41, 0xFE, 0x42}, {0x41}},
        {"FF", {0xFF}, {}},
        {"zero byte", {0x41, 0x00, 0x42}, {0x41}},
    };
    for (const Utf8Case& c : cases) {
        CWString text(TEXT("previous"));
        Utf8ToText(reinterpret_cast<const char*>(c.bytes.data()),
                   static_cast<int64_t>(c.bytes.size()), text);
        EXPECT_EQ(UnitList(text), c.units) << c.name;
        EXPECT_EQ(text.GetText()[text.GetLength()], 0) << c.name;
        int64_t expectedBytes =
            c.units.empty() ? 0 : (static_cast<int64_t>(c.units.size()) + 1) * 2;
        EXPECT_EQ(text.GetBuffer().GetLength(), expectedBytes) << c.name;
    }
}

TEST(Utf8ToTextTest, ZeroTerminatedInput) {
    CWString text;
    Utf8ToText("键序台", text);
    EXPECT_EQ(Utf8(text), "键序台");
    EXPECT_EQ(text.GetLength(), 3);
    Utf8ToText(nullptr, text);
    EXPECT_TRUE(text.IsEmpty());
    Utf8ToText("abc", 2, text);
    EXPECT_EQ(Utf8(text), "ab");
    Utf8ToText("abc", -5, text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(Utf8ToTextTest, ReplacesABorrowedText) {
    static const WCHAR literal[] = TEXT("literal");
    CWConstString text(literal);
    Utf8ToText("new", text);
    EXPECT_FALSE(text.IsBorrowing());
    EXPECT_EQ(Utf8(text), "new");
    EXPECT_EQ(Utf8(literal), "literal");
}

// Every byte value in every position of a short input: no crash, no read past the input (the
// sanitizer build checks that), and never more units than bytes.
TEST(Utf8ToTextTest, AnyBytesDecodeWithinBounds) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; second += 5) {
            std::vector<char> bytes = {static_cast<char>(first), static_cast<char>(second),
                                       static_cast<char>(0x80)};
            for (size_t n = 1; n <= bytes.size(); ++n) {
                std::vector<char> exact(bytes.begin(), bytes.begin() + static_cast<long>(n));
                CWString text;
                Utf8ToText(exact.data(), static_cast<int64_t>(n), text);
                ASSERT_LE(text.GetLength(), static_cast<int64_t>(n));
            }
        }
    }
}

} // namespace
