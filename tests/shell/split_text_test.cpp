// SplitText: pieces, empty entries, trimming, skipping, separator sets and hostile input.
#include "runtime/shell/split_text.h"

#include "tests/core/text_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rg_lch_jb::rg_wbshzl;

// The elements as UTF-8, a null element written as "<null>" so that null and empty differ.
std::vector<std::string> Elements(const CMStringArray& array) {
    std::vector<std::string> out;
    for (int64_t i = 0; i < array.GetCount(); ++i)
        out.push_back(array.GetAt(i) == nullptr ? "<null>" : Utf8(array.GetAt(i)));
    return out;
}

struct SplitCase {
    const WCHAR* text;
    const WCHAR* separators;
    bool trim;
    bool skipEmpty;
    std::vector<std::string> elements;
};

TEST(SplitText, Table) {
    const SplitCase cases[] = {
        {TEXT("a,,b,"), TEXT(","), false, false, {"a", "<null>", "b", "<null>"}},
        {TEXT("a,,b,"), TEXT(","), false, true, {"a", "b"}},
        {TEXT(",a"), TEXT(","), false, false, {"<null>", "a"}},
        {TEXT(","), TEXT(","), false, false, {"<null>", "<null>"}},
        {TEXT(",,"), TEXT(","), false, true, {}},
        {TEXT(""), TEXT(","), false, false, {}},
        {nullptr, TEXT(","), false, false, {}},
        {TEXT("a,b"), TEXT(""), false, false, {"a,b"}},
        {TEXT("a,b"), nullptr, false, false, {"a,b"}},
        {TEXT("  a b  "), TEXT(","), true, false, {"a b"}},
        {TEXT("  a b  "), TEXT(","), false, false, {"  a b  "}},
        // Without trim a blank piece is kept as it is, unless skipEmpty drops it.
        {TEXT("a, ,b"), TEXT(","), false, false, {"a", " ", "b"}},
        {TEXT("a, ,b"), TEXT(","), false, true, {"a", "b"}},
        {TEXT("a, ,b"), TEXT(","), true, false, {"a", "<null>", "b"}},
        // skipEmpty keeps a piece with blanks around a letter untrimmed.
        {TEXT(" a ,b"), TEXT(","), false, true, {" a ", "b"}},
        {TEXT("\t\r\n"), TEXT(","), true, true, {}},
        // Any unit of the set separates.
        {TEXT("a;b,c d"), TEXT(",; "), false, false, {"a", "b", "c", "d"}},
        {TEXT("K65 D50 M10,20"), TEXT(" "), false, false, {"K65", "D50", "M10,20"}},
        {TEXT("一、二、三"), TEXT("、"), false, false, {"一", "二", "三"}},
        {TEXT("x1y"), TEXT("1"), false, false, {"x", "y"}},
        // A trailing separator after skipped pieces adds nothing.
        {TEXT("a, ,"), TEXT(","), true, true, {"a"}},
        {TEXT("a, ,"), TEXT(","), true, false, {"a", "<null>", "<null>"}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const SplitCase& c = cases[i];
        CMStringArray array;
        const int64_t count = SplitText(c.text, array, c.separators, c.trim, c.skipEmpty);
        EXPECT_EQ(Elements(array), c.elements) << "case " << i;
        EXPECT_EQ(count, array.GetCount()) << "case " << i;
    }
}

TEST(SplitText, EmptiesTheArrayFirst) {
    CMStringArray array;
    array.Append(TEXT("old"));
    array.Append(TEXT("older"));
    EXPECT_EQ(SplitText(TEXT("new"), array, TEXT(","), false, false), 1);
    EXPECT_EQ(Elements(array), std::vector<std::string>{"new"});
    EXPECT_EQ(SplitText(TEXT(""), array, TEXT(","), false, false), 0);
    EXPECT_EQ(array.GetCount(), 0);
}

TEST(SplitText, IntoATextArray) {
    rg_wbshzl steps;
    EXPECT_EQ(SplitText(TEXT("K65 D100 L"), steps, TEXT(" "), false, true), 3);
    EXPECT_EQ(Utf8(steps.GetTextAt(0)), "K65");
    EXPECT_EQ(Utf8(steps.GetTextAt(2)), "L");
}

TEST(SplitText, ElementsAreOwnedCopies) {
    std::basic_string<WCHAR> text(TEXT("ab,cd"));
    CMStringArray array;
    SplitText(text.c_str(), array, TEXT(","), false, false);
    text.assign(text.size(), TEXT('z'));
    EXPECT_EQ(Elements(array), (std::vector<std::string>{"ab", "cd"}));
}

TEST(SplitText, AnyUnitsAreSafe) {
    // Lone surrogates, controls, units above the ASCII bitmap of the separator set, and a
    // separator set that mixes ASCII and wide units.
    const WCHAR text[] = {0xD800, 0x0001, 0xDFFF, 0xFFFF, 0x007F, 0x0080,
                          0x3000, 0xD800, 0x0020, 0xFFFE, 0x0000};
    const WCHAR separators[] = {0xD800, 0x007F, 0x0000};
    CMStringArray array;
    ASSERT_EQ(SplitText(text, array, separators, true, false), 4);
    EXPECT_EQ(array.GetAt(0), nullptr);
    // Unit 1 is a blank, so trimming takes it.
    const WCHAR second[] = {0xDFFF, 0xFFFF, 0};
    EXPECT_EQ(std::basic_string<WCHAR>(array.GetTextAt(1)), second);
    const WCHAR third[] = {0x0080, 0x3000, 0};
    EXPECT_EQ(std::basic_string<WCHAR>(array.GetTextAt(2)), third);
    const WCHAR fourth[] = {0xFFFE, 0};
    EXPECT_EQ(std::basic_string<WCHAR>(array.GetTextAt(3)), fourth);
}

TEST(SplitText, LongTextKeepsEveryPiece) {
    // 100,000 pieces: the slot buffer grows many times over.
    std::basic_string<WCHAR> text;
    for (int i = 0; i < 100000; ++i) {
        text += TEXT("K");
        text += static_cast<WCHAR>(TEXT('0') + i % 10);
        text += TEXT(' ');
    }
    CMStringArray array;
    ASSERT_EQ(SplitText(text.c_str(), array, TEXT(" "), false, false), 100001);
    EXPECT_EQ(Utf8(array.GetAt(99999)), "K9");
    EXPECT_EQ(array.GetAt(100000), nullptr);
    ASSERT_EQ(SplitText(text.c_str(), array, TEXT(" "), false, true), 100000);
    EXPECT_EQ(Utf8(array.GetAt(12345)), "K5");
}

} // namespace
