// CWString: the three states, the borrow-until-changed rule, appends, slicing, trimming and
// equality.
#include "runtime/core/wstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/core/wconst_string.h"
#include "tests/core/text_testing.h"
#include "tests/support/exit_status.h"
#include "tests/support/process_exit.h"

namespace {

const WCHAR kLiteral[] = TEXT("xy");

TEST(WStringTest, NewTextIsEmptyWithoutStorage) {
    CWString text;
    EXPECT_EQ(text.GetLength(), 0);
    ASSERT_NE(text.GetText(), nullptr);
    EXPECT_EQ(text.GetText()[0], 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(text.IsBorrowing());
    EXPECT_EQ(text.GetBuffer().GetDataPtr(), nullptr);
}

TEST(WStringTest, AppendToEmptyText) {
    CWString text;
    text.Append(TEXT("ab"));
    EXPECT_EQ(text.GetBuffer().GetLength(), 6);
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 254);
    EXPECT_EQ(text.GetLength(), 2);
    EXPECT_EQ(Utf8(text), "ab");
    text.Append(TEXT("cde"));
    text.AppendChar('f');
    text.AppendChar(0);
    EXPECT_EQ(Utf8(text), "abcdef");
    EXPECT_EQ(text.GetBuffer().GetLength(), 14);
}

TEST(WStringTest, ConstructorsFromWideUtf8AndNumber) {
    EXPECT_EQ(Utf8(CWString(TEXT("文本"))), "文本");
    EXPECT_EQ(Utf8(CWString(static_cast<const WCHAR*>(nullptr))), "");
    EXPECT_EQ(Utf8(CWString("文本 utf-8")), "文本 utf-8");
    EXPECT_EQ(Utf8(CWString(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(Utf8(CWString(0)), "0");
}

// A text borrows its literal until the first change: appending nothing keeps it borrowing,
// appending something copies the literal first and leaves it untouched.
TEST(WStringTest, BorrowsUntilChanged) {
    CWConstString constant(kLiteral);
    CWString text;
    ASSERT_EQ(text.Assign(constant), 1);
    EXPECT_TRUE(text.IsBorrowing());
    EXPECT_EQ(text.GetText(), kLiteral);
    EXPECT_EQ(text.GetLength(), 2);

    text.Append(static_cast<const WCHAR*>(nullptr));
    text.Append(TEXT(""));
    text.AppendChar(0);
    EXPECT_TRUE(text.IsBorrowing());
    EXPECT_EQ(text.GetText(), kLiteral);

    text.Append(TEXT("z"));
    EXPECT_FALSE(text.IsBorrowing());
    EXPECT_NE(text.GetText(), kLiteral);
    EXPECT_EQ(Utf8(text), "xyz");
    EXPECT_EQ(Utf8(kLiteral), "xy");
    EXPECT_EQ(Utf8(constant), "xy");
    EXPECT_TRUE(constant.IsBorrowing());
}

TEST(WStringTest, EveryChangeMaterializes) {
    struct Change {
        const char* name;
        void (*apply)(CWString&);
        const char* after;
    };
    const Change changes[] = {
        {"AppendChar", [](CWString& t) { t.AppendChar('!'); }, " xy !"},
        {"Trim", [](CWString& t) { t.Trim(); }, "xy"},
        {"TrimRight", [](CWString& t) { t.TrimRight(); }, " xy"},
        {"AppendUnits", [](CWString& t) { t.AppendUnits(TEXT("ab"), 1); }, " xy a"},
        {"Materialize", [](CWString& t) { t.Materialize(); }, " xy "},
    };
    static const WCHAR padded[] = TEXT(" xy ");
    for (const Change& c : changes) {
        CWConstString constant(padded);
        CWString text(constant);
        ASSERT_TRUE(text.IsBorrowing());
        c.apply(text);
        EXPECT_FALSE(text.IsBorrowing()) << c.name;
        EXPECT_EQ(Utf8(text), c.after) << c.name;
        EXPECT_EQ(Utf8(padded), " xy ") << c.name;
    }
}

TEST(WStringTest, MaterializeCopiesLiteralWithTerminator) {
    CWConstString text(kLiteral);
    CRixMem& buffer = text.Materialize();
    EXPECT_EQ(buffer.GetLength(), 6);
    EXPECT_EQ(std::memcmp(buffer.GetDataPtr(), kLiteral, sizeof kLiteral), 0);
}

TEST(WStringTest, AssignBetweenConstAndPlainText) {
    CWConstString constant(kLiteral);
    CWString plain(TEXT("plain"));
    plain.SetData(7);

    CWString target(TEXT("old"));
    EXPECT_EQ(target.Assign(constant), 1);
    EXPECT_TRUE(target.IsBorrowing());
    EXPECT_EQ(target.GetText(), kLiteral);
    EXPECT_EQ(target.GetBuffer().GetLength(), 0);

    EXPECT_EQ(constant.Assign(plain), 0);
    EXPECT_EQ(constant.GetText(), kLiteral);
    EXPECT_EQ(constant.GetData(), 0);

    CWConstString other;
    EXPECT_EQ(other.Assign(constant), 1);
    EXPECT_EQ(other.GetText(), kLiteral);

    EXPECT_EQ(target.Assign(plain), 1);
    EXPECT_FALSE(target.IsBorrowing());
    EXPECT_EQ(Utf8(target), "plain");
    EXPECT_EQ(target.GetData(), 7);
    EXPECT_NE(target.GetText(), plain.GetText());
}

TEST(WStringTest, CopiesNeverShareBuffers) {
    CWString original(TEXT("abc"));
    CWString copy(original);
    CWString assigned;
    assigned = original;
    original.Append(TEXT("d"));
    EXPECT_EQ(Utf8(copy), "abc");
    EXPECT_EQ(Utf8(assigned), "abc");
    // Self-assignment through a second name (clang warns on the direct form).
    CWString& same = assigned;
    assigned = same;
    EXPECT_EQ(Utf8(assigned), "abc");

    CWConstString constant(kLiteral);
    CWString borrowedCopy(constant);
    EXPECT_EQ(borrowedCopy.GetText(), kLiteral);
    CRixObject* clone = constant.Clone();
    EXPECT_EQ(static_cast<CWString*>(clone)->GetText(), kLiteral);
    EXPECT_EQ(clone->IsEqual(constant), 1);
    DeleteThis(clone);
}

TEST(WStringTest, Equality) {
    CWString abc(TEXT("abc"));
    EXPECT_EQ(abc.IsEqual(CWString(TEXT("abc"))), 1);
    EXPECT_EQ(abc.IsEqual(CWString(TEXT("ABC"))), 0);
    EXPECT_EQ(abc.IsEqual(CWString(TEXT("ab"))), 0);
    EXPECT_EQ(abc.IsEqual(CWString(TEXT("abcd"))), 0);
    EXPECT_EQ(CWString().IsEqual(CWString(TEXT(""))), 1);
    static const WCHAR abcLiteral[] = TEXT("abc");
    CWString borrowing;
    borrowing.Assign(CWConstString(abcLiteral));
    EXPECT_EQ(abc.IsEqual(borrowing), 1);
    EXPECT_EQ(abc.IsEqual(CWConstString(abcLiteral)), 0); // another class
    CWString tagged(TEXT("abc"));
    tagged.SetData(1);
    EXPECT_EQ(abc.IsEqual(tagged), 0);
}

TEST(WStringTest, EmptyByState) {
    static const WCHAR empty[] = TEXT("");
    EXPECT_TRUE(CWConstString(empty).IsEmpty());
    EXPECT_FALSE(CWConstString(kLiteral).IsEmpty());
    CWString text(TEXT("a"));
    EXPECT_FALSE(text.IsEmpty());
    text.Reset();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetBuffer().GetDataPtr(), nullptr);
}

struct SliceCase {
    int64_t n;
    const char* left;
    const char* right;
};

TEST(WStringTest, LeftAndRight) {
    const SliceCase cases[] = {
        {10, "abc", "abc"}, {3, "abc", "abc"}, {2, "ab", "bc"},
        {1, "a", "c"},      {0, "", ""},       {-1, "", ""},
    };
    CWConstString abc(TEXT("abc"));
    for (const SliceCase& c : cases) {
        CWString left = abc.Left(c.n);
        CWString right = abc.Right(c.n);
        EXPECT_EQ(Utf8(left), c.left) << c.n;
        EXPECT_EQ(Utf8(right), c.right) << c.n;
        EXPECT_FALSE(left.IsBorrowing());
    }
    EXPECT_EQ(Utf8(CWString().Left(5)), "");
    EXPECT_EQ(Utf8(CWString().Right(5)), "");
}

struct TrimCase {
    std::basic_string<WCHAR> before;
    const char* trim;
    const char* trimRight;
};

TEST(WStringTest, TrimRemovesUnitsUpTo32) {
    const TrimCase cases[] = {
        {TEXT("  a b\t\r\n"), "a b", "  a b"},
        {TEXT("   "), "", ""},
        {TEXT(""), "", ""},
        {TEXT("x"), "x", "x"},
        {std::basic_string<WCHAR>{1, 'a', 31, 32, 'b', 2}, "a\x1f b",
         "\x01"
         "a\x1f b"},
        {TEXT("\x0b\x0c"
              "文 字\x7f "),
         "文 字\x7f",
         "\x0b\x0c"
         "文 字\x7f"},
    };
    for (const TrimCase& c : cases) {
        CWString both(c.before.c_str());
        CWString right(c.before.c_str());
        both.Trim();
        right.TrimRight();
        EXPECT_EQ(Utf8(both), c.trim);
        EXPECT_EQ(Utf8(right), c.trimRight);
        EXPECT_EQ(both.GetLength(), static_cast<int64_t>(Units(both).size()));
        EXPECT_EQ(both.GetBuffer().GetLength(),
                  both.GetLength() == 0 ? 0 : (both.GetLength() + 1) * 2);
    }
}

TEST(WStringTest, AssignUnitsAndFixed) {
    CWString text(TEXT("old"));
    text.AssignUnits(TEXT("abcdef"), 3);
    EXPECT_EQ(Utf8(text), "abc");
    text.AssignUnits(nullptr, 2);
    EXPECT_EQ(text.GetLength(), 2);
    EXPECT_EQ(Units(text), (std::basic_string<WCHAR>{0, 0}));
    text.AssignUnits(TEXT("abc"), 0);
    EXPECT_TRUE(text.IsEmpty());

    WCHAR units[300];
    for (WCHAR& u : units)
        u = 'q';
    text.AssignFixed(units);
    EXPECT_EQ(text.GetLength(), 260);
    units[5] = 0;
    text.AssignFixed(units);
    EXPECT_EQ(Utf8(text), "qqqqq");
    units[0] = 0;
    text.AssignFixed(units);
    EXPECT_TRUE(text.IsEmpty());
    text.AssignFixed(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(WStringTest, Concat) {
    static const WCHAR right[] = TEXT("right");
    CWConstString borrowedRight(right);
    CWString empty;
    CWString left(TEXT("left"));

    CWString onlyRight = CWString::Concat(empty, borrowedRight);
    EXPECT_EQ(onlyRight.GetText(), right); // a borrowed text stays borrowed
    EXPECT_EQ(Utf8(CWString::Concat(left, empty)), "left");
    EXPECT_EQ(Utf8(CWString::Concat(left, borrowedRight)), "leftright");
    EXPECT_EQ(Utf8(CWString::Concat(left, TEXT("+s"))), "left+s");
    EXPECT_EQ(Utf8(CWString::Concat(left, static_cast<const WCHAR*>(nullptr))), "left");
    EXPECT_EQ(Utf8(CWString::Concat(empty, TEXT("s"))), "s");
    EXPECT_EQ(Utf8(CWString::Concat(left, left)), "leftleft");
}

// With one side empty the result is a copy of the other side, header words and all.
TEST(WStringTest, ConcatWithOneSideEmptyCopiesTheHeaderWords) {
    CWString tagged(TEXT("tag"));
    tagged.SetEmptyObject(true);
    tagged.SetData(0x5A5A);
    CWString empty;
    struct Case {
        const char* name;
        CWString result;
    };
    const Case cases[] = {
        {"empty + tagged", CWString::Concat(empty, tagged)},
        {"tagged + empty", CWString::Concat(tagged, empty)},
        {"tagged + null", CWString::Concat(tagged, static_cast<const WCHAR*>(nullptr))},
        {"tagged + \"\"", CWString::Concat(tagged, TEXT(""))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8(c.result), "tag") << c.name;
        EXPECT_TRUE(c.result.IsEmptyObject()) << c.name;
        EXPECT_EQ(c.result.GetData(), 0x5A5A) << c.name;
        EXPECT_EQ(c.result.IsEqual(tagged), 1) << c.name;
    }
}

// Appending a text to itself reads from storage that the append moves.
TEST(WStringTest, AppendOfOwnText) {
    CWString text(TEXT("ab"));
    for (int i = 0; i < 8; ++i)
        text.Append(text.GetText());
    EXPECT_EQ(text.GetLength(), 512);
    EXPECT_EQ(Utf8(text.Left(4)), "abab");
    text.Append(text);
    EXPECT_EQ(text.GetLength(), 1024);
    text.AppendUnits(text.GetText() + 1, 300);
    EXPECT_EQ(text.GetLength(), 1324);
    EXPECT_EQ(Utf8(text.Right(3)), "aba");
    text.AssignUnits(text.GetText() + 1, 3);
    EXPECT_EQ(Utf8(text), "bab");
}

TEST(WStringTest, LongAppendsGrowInSteps) {
    CWString text;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        text.AppendChar(static_cast<WCHAR>('a' + i % 26));
        expected += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(Utf8(text), expected);
    EXPECT_EQ(text.GetBuffer().GetLength(), 2002);
    EXPECT_EQ(text.GetBuffer().GetCapacity() % 254, 0);
}

TEST(WStringTest, EmbeddedZeroUnitsAndSurrogatesAreKeptAsUnits) {
    const WCHAR units[] = {0xD800, 0, 'a', 0xDC00};
    CWString text;
    text.AppendUnits(units, 4);
    EXPECT_EQ(text.GetLength(), 4);
    EXPECT_EQ(Units(text), std::basic_string<WCHAR>(units, 4));
    text.Append(TEXT("z")); // the terminator after the units is dropped, not the inner zero
    EXPECT_EQ(text.GetLength(), 5);
    EXPECT_EQ(text.GetText()[4], 'z');
}

TEST(WStringDeathTest, HugeUnitCountEndsProcessAsExhaustedMemory) {
    EXPECT_PROCESS_EXIT(
        {
            CWString text;
            text.AssignUnits(nullptr, INT64_MAX / 2);
        },
        ExitedWithMinusOne, "");
}

} // namespace
