// StepList's operations: order, swap, removal, loading from a scheme text, and the worker's
// fetch that reads the count and the code together.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/steps/step_list.h"

namespace {

std::vector<std::u16string> Codes(const CStepList& list) {
    return list.WithCodes([](const rg_lch_jb::rg_wbshzl& codes) {
        std::vector<std::u16string> out;
        for (int64_t i = 0; i < codes.GetCount(); ++i) {
            std::u16string code;
            for (const WCHAR* p = codes.GetTextAt(i); *p != 0; ++p)
                code.push_back(static_cast<char16_t>(*p));
            out.push_back(code);
        }
        return out;
    });
}

TEST(StepListTest, AppendSwapRemove) {
    CStepList list;
    list.Append(TEXT("A65"));
    list.Append(TEXT("B1"));
    list.Append(TEXT("D50"));
    EXPECT_EQ(Codes(list), (std::vector<std::u16string>{u"A65", u"B1", u"D50"}));
    EXPECT_TRUE(list.Swap(1, 2));
    EXPECT_EQ(Codes(list), (std::vector<std::u16string>{u"A65", u"D50", u"B1"}));
    EXPECT_FALSE(list.Swap(2, 3));
    EXPECT_FALSE(list.Swap(-1, 0));
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(2));
    EXPECT_EQ(Codes(list), (std::vector<std::u16string>{u"D50", u"B1"}));
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(StepListTest, FetchStepStopsAtTheCountOfTheMoment) {
    CStepList list;
    list.Append(TEXT("E1@2"));
    CWString code(TEXT("stale"));
    EXPECT_TRUE(list.FetchStep(0, code));
    EXPECT_EQ(code.GetLength(), 4);
    EXPECT_EQ(code.GetText()[0], static_cast<WCHAR>('E'));
    EXPECT_EQ(code.GetText()[3], static_cast<WCHAR>('2'));
    EXPECT_FALSE(list.FetchStep(1, code));
    EXPECT_TRUE(code.IsEmpty()) << "a failed fetch leaves no stale code behind";
    EXPECT_FALSE(list.FetchStep(-1, code));
    EXPECT_TRUE(list.GetAt(5).IsEmpty());
}

TEST(StepListTest, LoadFromSchemeText) {
    CStepList list;
    list.Append(TEXT("X"));
    EXPECT_EQ(list.LoadFromText(TEXT("  A65  B1 C-8@0   D100 ")), 4);
    EXPECT_EQ(Codes(list), (std::vector<std::u16string>{u"A65", u"B1", u"C-8@0", u"D100"}));
    EXPECT_EQ(list.LoadFromText(TEXT("")), 0);
    EXPECT_EQ(list.GetCount(), 0);
}

} // namespace
