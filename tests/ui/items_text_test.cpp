// The items text of list and combo boxes: pairs of lines (text, data), carriage returns and
// unpaired lines, data that is no number. Both backends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ui/items_text.h"

namespace {

struct Item {
    std::u16string text;
    int32_t data;
    bool operator==(const Item&) const = default;
};

std::vector<Item> Read(const WCHAR* text) {
    CRixItemsText items(text);
    std::vector<Item> read;
    for (int64_t i = 0; i < items.GetCount(); ++i) {
        CWString t = items.GetItemText(i);
        const WCHAR* units = t.GetText();
        std::u16string copy;
        for (; units != nullptr && *units != 0; ++units)
            copy.push_back(static_cast<char16_t>(*units));
        read.push_back({copy, items.GetItemData(i)});
    }
    return read;
}

TEST(ItemsText, LinesAreReadInPairsOfTextAndData) {
    struct Case {
        const char* what;
        const WCHAR* text;
        std::vector<Item> expected;
    };
    const Case cases[] = {
        {"five lines: a carriage return goes, the fifth line is ignored",
         TEXT("甲\r\n1\n乙\n2\n丙"),
         {{u"甲", 1}, {u"乙", 2}}},
        {"trailing blanks go, leading ones stay", TEXT("  a \t\n-7\n"), {{u"  a", -7}}},
        {"empty lines count as lines", TEXT("\n5\nb\n\n"), {{u"", 5}, {u"b", 0}}},
        {"data that is no number reads as 0, a number stops at its end",
         TEXT("x\nabc\ny\n12px\nz\n 3"),
         {{u"x", 0}, {u"y", 12}, {u"z", 3}}},
        {"data beyond 32 bits is held at the limit",
         TEXT("big\n9999999999\nsmall\n-9999999999"),
         {{u"big", INT32_MAX}, {u"small", INT32_MIN}}},
        {"one line is no item", TEXT("alone"), {}},
        {"empty text", TEXT(""), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Read(c.text), c.expected);
    }
}

TEST(ItemsText, OutOfRangeIndexesAnswerEmptyAndZero) {
    CRixItemsText items(TEXT("a\n1"));
    EXPECT_TRUE(items.GetItemText(1).IsEmpty());
    EXPECT_TRUE(items.GetItemText(-1).IsEmpty());
    EXPECT_EQ(items.GetItemData(1), 0);
}

} // namespace
