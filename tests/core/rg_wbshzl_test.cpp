// The text array: equality with null and empty elements, assignment (to itself too), reset,
// slot growth and the dump.
#include "runtime/core/rg_wbshzl.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

using rg_lch_jb::rg_wbshzl;

rg_wbshzl Make(std::initializer_list<const WCHAR*> texts) {
    rg_wbshzl array;
    for (const WCHAR* t : texts)
        array.Append(t);
    return array;
}

TEST(TextArray, NameAndKind) {
    EXPECT_STREQ(rg_wbshzl::ClassRecord()->pszName, "rg_lch_jb::rg_wbshzl");
    rg_wbshzl array;
    EXPECT_EQ(array.IsKindOf(rg_lch_jb::rg_kzhdxl::ClassRecord()), 1);
    EXPECT_EQ(array.IsKindOf(CRixObject::ClassRecord()), 1);
}

TEST(TextArray, GrowsByThirtyTwoElements) {
    rg_wbshzl array;
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetArray().GetSlots().GetDataPtr(), nullptr);
    for (int i = 0; i < 33; ++i)
        array.Append(TEXT("x"));
    EXPECT_EQ(array.GetCount(), 33);
    EXPECT_EQ(array.GetArray().GetSlots().GetCapacity(), 512);
}

TEST(TextArray, Equality) {
    struct Case {
        rg_wbshzl a, b;
        int equal;
    };
    const Case cases[] = {
        {Make({}), Make({}), 1},
        {Make({TEXT("a"), TEXT(""), TEXT("c")}), Make({TEXT("a"), nullptr, TEXT("c")}), 1},
        {Make({TEXT("a")}), Make({TEXT("a"), nullptr}), 0},
        {Make({TEXT("ab")}), Make({TEXT("abc")}), 0},
        {Make({TEXT("abc")}), Make({TEXT("ab")}), 0},
        {Make({TEXT("abc")}), Make({TEXT("ABC")}), 0},
        {Make({TEXT("x"), TEXT("y")}), Make({TEXT("y"), TEXT("x")}), 0},
        {Make({nullptr}), Make({TEXT(" ")}), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].a.IsEqual(cases[i].b), cases[i].equal) << "case " << i;
        EXPECT_EQ(cases[i].b.IsEqual(cases[i].a), cases[i].equal) << "case " << i;
    }
    rg_wbshzl a = Make({TEXT("a")});
    rg_wbshzl b = Make({TEXT("a")});
    b.SetData(1);
    EXPECT_EQ(a.IsEqual(b), 0);
}

TEST(TextArray, AssignCopiesElementsAndHeader) {
    rg_wbshzl source = Make({TEXT("one"), nullptr, TEXT("three")});
    source.SetData(9);
    rg_wbshzl target = Make({TEXT("old"), TEXT("old"), TEXT("old"), TEXT("old")});
    ASSERT_EQ(target.Assign(source), 1);
    ASSERT_EQ(target.GetCount(), 3);
    EXPECT_EQ(target.GetData(), 9);
    EXPECT_EQ(target.GetAt(1), nullptr);
    EXPECT_EQ(Utf8(target.GetAt(2)), "three");
    // Fresh copies: the source's blocks are not shared.
    EXPECT_NE(target.GetAt(0), source.GetAt(0));
    source.Clear();
    EXPECT_EQ(Utf8(target.GetAt(0)), "one");
}

TEST(TextArray, AssignToItselfKeepsElements) {
    rg_wbshzl array = Make({TEXT("a"), TEXT("b")});
    ASSERT_EQ(array.Assign(array), 1);
    ASSERT_EQ(array.GetCount(), 2);
    EXPECT_EQ(Utf8(array.GetAt(0)), "a");
    EXPECT_EQ(Utf8(array.GetAt(1)), "b");
    rg_wbshzl& same = array;
    array = same;
    EXPECT_EQ(array.GetCount(), 2);
}

TEST(TextArray, CloneIsAnEqualIndependentCopy) {
    rg_wbshzl array = Make({TEXT("K65"), TEXT("D50")});
    CRixObject* clone = array.Clone();
    EXPECT_EQ(clone->IsEqual(array), 1);
    array.RemoveRange(0, 1);
    EXPECT_EQ(clone->IsEqual(array), 0);
    EXPECT_EQ(static_cast<rg_wbshzl*>(clone)->GetCount(), 2);
    DeleteThis(clone);
}

TEST(TextArray, ResetEmptiesIt) {
    rg_wbshzl array = Make({TEXT("a"), TEXT("b")});
    array.SetData(3);
    array.SetEmptyObject(true);
    array.Reset();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetData(), 0);
    EXPECT_FALSE(array.IsEmptyObject());
    EXPECT_EQ(array.IsEqual(rg_wbshzl()), 1);
}

TEST(TextArray, ElementOperations) {
    rg_wbshzl array = Make({TEXT("0"), TEXT("1"), TEXT("2"), TEXT("3")});
    array.RemoveRange(1, 2);
    ASSERT_EQ(array.GetCount(), 2);
    EXPECT_EQ(Utf8(array.GetAt(0)), "0");
    EXPECT_EQ(Utf8(array.GetAt(1)), "3");
    EXPECT_EQ(array.Append(TEXT("")), 2);
    EXPECT_EQ(array.GetAt(2), nullptr);
    EXPECT_EQ(Utf8(array.GetTextAt(2)), "");
}

TEST(TextArray, DumpIsAppended) {
    struct Case {
        rg_wbshzl array;
        int64_t limit;
        std::string text;
    };
    const Case cases[] = {
        {Make({}), 0,
         ">"
         "<数组> 总共 0 个成员:"},
        {Make({TEXT("a"), nullptr}), 0,
         ">"
         "<数组> 总共 2 个成员:\r\n1. \"a\"\r\n2. \"\""},
        {Make({TEXT("\t\"\x01")}), -1,
         ">"
         "<数组> 总共 1 个成员:\r\n1. \"\\t\\\"\\001\""},
        {Make({TEXT("a"), TEXT("b"), TEXT("c")}), 2,
         ">"
         "<数组> 总共 3 个成员,输出了 2 个,还有 1 个未被输出.\r\n1. \"a\"\r\n2. \"b\""},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        CWString out(TEXT(">"));
        cases[i].array.DumpToText(out, cases[i].limit);
        EXPECT_EQ(Utf8(out), cases[i].text) << "case " << i;
    }
}

TEST(TextArray, DumpLimits) {
    rg_wbshzl array;
    for (int i = 0; i < 64; ++i)
        array.Append(TEXT("s"));
    CWString out;
    array.DumpToText(out, 0);
    EXPECT_EQ(Utf8(out).rfind("<数组> 总共 64 个成员:\r\n", 0), 0u);
    EXPECT_NE(Utf8(out).find("\r\n64. \"s\""), std::string::npos);

    array.Append(TEXT("last"));
    out.Empty();
    array.DumpToText(out, 0);
    const std::string text = Utf8(out);
    EXPECT_EQ(text.rfind("<数组> 总共 65 个成员,输出了 64 个,还有 1 个未被输出.", 0), 0u);
    EXPECT_EQ(text.find("65."), std::string::npos);

    out.Empty();
    array.DumpToText(out, -1);
    EXPECT_NE(Utf8(out).find("\r\n65. \"last\""), std::string::npos);
}

} // namespace
