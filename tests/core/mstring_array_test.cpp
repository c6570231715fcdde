// CMStringArray: owned copies, null for empty texts, range removal and slot growth.
#include "runtime/core/mstring_array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

std::vector<std::string> Elements(const CMStringArray& array) {
    std::vector<std::string> out;
    for (int64_t i = 0; i < array.GetCount(); ++i)
        out.push_back(Utf8(array.GetTextAt(i)));
    return out;
}

TEST(MStringArrayTest, AppendStoresCopiesAndNullForEmpty) {
    CMStringArray array;
    EXPECT_EQ(array.GetCount(), 0);
    WCHAR source[] = TEXT("abc");
    EXPECT_EQ(array.Append(source), 0);
    EXPECT_EQ(array.Append(TEXT("")), 1);
    EXPECT_EQ(array.Append(nullptr), 2);
    EXPECT_EQ(array.Append(TEXT("文字")), 3);
    source[0] = 'X';
    EXPECT_EQ(Elements(array), (std::vector<std::string>{"abc", "", "", "文字"}));
    EXPECT_NE(array.GetAt(0), source);
    EXPECT_EQ(array.GetAt(1), nullptr);
    EXPECT_EQ(array[2], nullptr);
    ASSERT_NE(array.GetTextAt(1), nullptr);
    EXPECT_EQ(array.GetTextAt(1)[0], 0);
}

TEST(MStringArrayTest, RemoveRangeClosesTheGap) {
    CMStringArray array;
    for (const WCHAR* text : {TEXT("e0"), TEXT("e1"), TEXT(""), TEXT("e3")})
        array.Append(text);
    array.RemoveRange(1, 2);
    EXPECT_EQ(Elements(array), (std::vector<std::string>{"e0", "e3"}));
    array.RemoveRange(0, 0);
    EXPECT_EQ(array.GetCount(), 2);
    array.RemoveRange(0, 2);
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetSlots().GetDataPtr(), nullptr);
}

TEST(MStringArrayTest, ClearFreesEverything) {
    CMStringArray array;
    array.Append(TEXT("a"));
    array.Append(TEXT("b"));
    array.Clear();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetSlots().GetDataPtr(), nullptr);
    EXPECT_EQ(array.Append(TEXT("c")), 0);
    EXPECT_EQ(Elements(array), (std::vector<std::string>{"c"}));
}

TEST(MStringArrayTest, SlotsGrowBy32Elements) {
    CMStringArray array;
    for (int i = 0; i < 32; ++i)
        array.Append(TEXT("x"));
    EXPECT_EQ(array.GetSlots().GetCapacity(), 256);
    array.Append(TEXT("x"));
    EXPECT_EQ(array.GetSlots().GetCapacity(), 512);
    EXPECT_EQ(array.GetCount(), 33);
}

TEST(MStringArrayTest, CopiesOwnTheirElements) {
    CMStringArray array;
    array.Append(TEXT("one"));
    array.Append(nullptr);
    CMStringArray copy(array);
    array.RemoveRange(0, 1);
    EXPECT_EQ(Elements(copy), (std::vector<std::string>{"one", ""}));
    EXPECT_EQ(copy.GetAt(1), nullptr);
    CMStringArray assigned;
    assigned.Append(TEXT("old"));
    assigned = copy;
    // Self-assignment through a second name, as it happens in real code (clang warns on the
    // direct form).
    CMStringArray& same = assigned;
    assigned = same;
    EXPECT_EQ(Elements(assigned), (std::vector<std::string>{"one", ""}));
    EXPECT_NE(assigned.GetAt(0), copy.GetAt(0));
}

TEST(MStringArrayTest, ClassRecord) {
    CMStringArray array;
    EXPECT_STREQ(array.GetClassInfo()->pszName, "CMStringArray");
    ClassNameInfo same = MakeClassNameInfo("CMStringArray");
    ClassNameInfo other = MakeClassNameInfo("CMStringArrax");
    EXPECT_EQ(array.IsClass(&same), 1);
    EXPECT_EQ(array.IsClass(&other), 0);
}

} // namespace
