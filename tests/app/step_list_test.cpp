// StepList's operations: order, swap, removal, loading from a scheme text, and the worker's
// fetch that reads the count and the code together.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/steps/step_list.h"

namespace {

std::vector<std::u16string> Codes(const CStepList& list) {
    return list.WithCodes([](const CStepList::Codes& codes) {
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
    EXPECT_EQ(list.LoadFromText(nullptr), 0);
}

// Tab, CR and LF separate codes as a space does, in any mix; other units up to U+0020 are
// trimmed from the ends of a code but cut nothing.
TEST(StepListTest, LineBreaksAndTabsSeparateCodes) {
    struct Case {
        const WCHAR* text;
        std::vector<std::u16string> codes;
    };
    const Case cases[] = {
        {TEXT("A65\r\nB1"), {u"A65", u"B1"}},
        {TEXT("A65\nB1\nD50\n"), {u"A65", u"B1", u"D50"}},
        {TEXT("A65\rB1"), {u"A65", u"B1"}},
        {TEXT("A65\tB1\t\tE1@2"), {u"A65", u"B1", u"E1@2"}},
        {TEXT("\r\n\t A65 \r\n\r\n B1\t\r\n"), {u"A65", u"B1"}},
        {TEXT("\x0B"
              "A65\x1F B1"),
         {u"A65", u"B1"}},
        {TEXT("A6\x01"
              "5"),
         {u"A6\x01"
          "5"}},
        {TEXT("\r\n\t "), {}},
        {TEXT("按键 A65"), {u"按键", u"A65"}},
    };
    for (const Case& c : cases) {
        CStepList list;
        list.Append(TEXT("stale"));
        EXPECT_EQ(list.LoadFromText(c.text), static_cast<int64_t>(c.codes.size()));
        EXPECT_EQ(Codes(list), c.codes) << c.codes.size();
    }
}

// The codes lie end to end in one buffer: moves and deletes in any order, and the rewrite that
// drops the units of deleted codes, keep every other code as it was.
TEST(StepListTest, ManyMovesAndDeletesKeepEveryCode) {
    CStepList list;
    std::vector<std::u16string> model;
    for (int i = 0; i < 6000; ++i) {
        std::u16string code =
            u"D" + std::u16string(1 + i % 7, u'0' + static_cast<char16_t>(i % 10));
        std::vector<WCHAR> units(code.begin(), code.end());
        units.push_back(0);
        list.Append(units.data());
        model.push_back(code);
    }
    list.Append(TEXT(""));
    model.push_back(u"");
    for (int round = 0; round < 5000; ++round) {
        int64_t n = static_cast<int64_t>(model.size());
        int64_t a = (round * 7919) % n;
        int64_t b = (round * 104729 + 13) % n;
        if (round % 3 == 0) {
            ASSERT_TRUE(list.Swap(a, b));
            std::swap(model[a], model[b]);
        } else {
            ASSERT_TRUE(list.RemoveAt(a));
            model.erase(model.begin() + a);
        }
    }
    EXPECT_EQ(Codes(list), model);
    list.Append(TEXT("A65"));
    model.push_back(u"A65");
    EXPECT_EQ(Codes(list), model);
    while (list.GetCount() > 0)
        ASSERT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(0));
    list.Append(TEXT("B1"));
    EXPECT_EQ(Codes(list), std::vector<std::u16string>{u"B1"});
}

} // namespace
