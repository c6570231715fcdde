// CWString::Format over the platform's wide printf: the same table runs on both backends, so
// the simulated formatter is checked against the Windows run-time library under Wine.
#include "runtime/core/wstring.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

#include "tests/core/text_testing.h"

namespace {

struct FormatCase {
    const char* name;
    std::function<void(CWString&)> format;
    const char* expected;
};

TEST(WStringFormatTest, ConversionsMatchTheWindowsLibrary) {
    const FormatCase cases[] = {
        {"d zero", [](CWString& t) { t.Format(TEXT("%d"), 0); }, "0"},
        {"d negative", [](CWString& t) { t.Format(TEXT("%d"), -1); }, "-1"},
        {"d max", [](CWString& t) { t.Format(TEXT("%d"), INT_MAX); }, "2147483647"},
        {"d min", [](CWString& t) { t.Format(TEXT("%d"), INT_MIN); }, "-2147483648"},
        {"d width flags",
         [](CWString& t) { t.Format(TEXT("[%5d|%-5d|%05d|%+d]"), 42, 42, 42, 42); },
         "[   42|42   |00042|+42]"},
        {"u", [](CWString& t) { t.Format(TEXT("%u"), -1); }, "4294967295"},
        {"I64d min",
         [](CWString& t) { t.Format(TEXT("%I64d"), static_cast<long long>(INT64_MIN)); },
         "-9223372036854775808"},
        {"I64x zero", [](CWString& t) { t.Format(TEXT("%I64x"), 0ULL); }, "0"},
        {"I64x", [](CWString& t) { t.Format(TEXT("%I64x"), 0xDEADBEEF12345678ULL); },
         "deadbeef12345678"},
        {"I64x max", [](CWString& t) { t.Format(TEXT("0x%I64x"), ~0ULL); }, "0xffffffffffffffff"},
        {"I64X", [](CWString& t) { t.Format(TEXT("%I64X"), 0xABCDEFULL); }, "ABCDEF"},
        {"08X", [](CWString& t) { t.Format(TEXT("%08X"), 16); }, "00000010"},
        {"02X", [](CWString& t) { t.Format(TEXT("%02X"), 10); }, "0A"},
        {"s wide", [](CWString& t) { t.Format(TEXT("<%s>"), TEXT("文本")); }, "<文本>"},
        {"s null", [](CWString& t) { t.Format(TEXT("%s"), static_cast<const WCHAR*>(nullptr)); },
         "(null)"},
        {"s width", [](CWString& t) { t.Format(TEXT("[%5s|%-5s]"), TEXT("ab"), TEXT("ab")); },
         "[   ab|ab   ]"},
        {"s precision", [](CWString& t) { t.Format(TEXT("%.2s"), TEXT("abcdef")); }, "ab"},
        {"hs narrow", [](CWString& t) { t.Format(TEXT("%hs"), "narrow"); }, "narrow"},
        {"c", [](CWString& t) { t.Format(TEXT("%c%c"), 'Z', 0x6587); }, "Z文"},
        {"percent", [](CWString& t) { t.Format(TEXT("100%%")); }, "100%"},
        {"p", [](CWString& t) { t.Format(TEXT("%p"), reinterpret_cast<void*>(0x1234)); },
         "0000000000001234"},
        {"G15 tenth", [](CWString& t) { t.Format(TEXT("%.15G"), 0.1); }, "0.1"},
        {"G15 exponent", [](CWString& t) { t.Format(TEXT("%.15G"), 1e20); }, "1E+20"},
        {"G15 small", [](CWString& t) { t.Format(TEXT("%.15G"), 1e-7); }, "1E-07"},
        {"G15 half", [](CWString& t) { t.Format(TEXT("%.15G"), 1234.5); }, "1234.5"},
        {"G15 third", [](CWString& t) { t.Format(TEXT("%.15G"), 1.0 / 3.0); }, "0.333333333333333"},
        {"G15 rounds", [](CWString& t) { t.Format(TEXT("%.15G"), 123456789012345678.0); },
         "1.23456789012346E+17"},
        {"G15 15 digits", [](CWString& t) { t.Format(TEXT("%.15G"), 999999999999999.0); },
         "999999999999999"},
        {"G15 negative", [](CWString& t) { t.Format(TEXT("%.15G"), -0.5); }, "-0.5"},
        {"G6 pi", [](CWString& t) { t.Format(TEXT("%.6G"), 3.14159265); }, "3.14159"},
        {"G6 float", [](CWString& t) { t.Format(TEXT("%.6G"), static_cast<double>(3.14159265f)); },
         "3.14159"},
        {"G6 million", [](CWString& t) { t.Format(TEXT("%.6G"), 1e6); }, "1E+06"},
        {"G13 trailing zero", [](CWString& t) { t.Format(TEXT("%.13G"), 1.50); }, "1.5"},
        {"G13 sum", [](CWString& t) { t.Format(TEXT("%.13G"), 0.1 + 0.2); }, "0.3"},
        {"f", [](CWString& t) { t.Format(TEXT("%.2f|%e"), 3.14159, 1234.5); }, "3.14|1.234500e+03"},
        {"date", [](CWString& t) { t.Format(TEXT("%d年%d月%d日%d时"), 2024, 4, 1, 12); },
         "2024年4月1日12时"},
        {"time", [](CWString& t) { t.Format(TEXT("%d/%d/%d %d:%d:%d"), 1, 1, 2024, 15, 0, 30); },
         "1/1/2024 15:0:30"},
        {"exception",
         [](CWString& t) {
             t.Format(TEXT("俘获到异常,代码值为: %d, 描述为: %s"), -1, TEXT("描述"));
         },
         "俘获到异常,代码值为: -1, 描述为: 描述"},
    };
    for (const FormatCase& c : cases) {
        CWString text(TEXT("previous"));
        c.format(text);
        EXPECT_EQ(Utf8(text), c.expected) << c.name;
        EXPECT_EQ(text.GetBuffer().GetLength(), (text.GetLength() + 1) * 2) << c.name;
    }
}

TEST(WStringFormatTest, EmptyOutputLeavesEmptyText) {
    static const WCHAR literal[] = TEXT("borrowed");
    CWString text;
    text.Assign(CWString(TEXT("x")));
    text.Format(TEXT(""));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetBuffer().GetDataPtr(), nullptr);

    text.Append(TEXT("y"));
    text.Format(TEXT("%s"), TEXT(""));
    EXPECT_TRUE(text.IsEmpty());

    text.Append(TEXT("z"));
    text.Format(nullptr);
    EXPECT_TRUE(text.IsEmpty());

    CWString borrowing;
    borrowing.Assign(CWString::Concat(CWString(), CWString(literal)));
    borrowing.Format(TEXT("%d"), 5);
    EXPECT_FALSE(borrowing.IsBorrowing());
    EXPECT_EQ(Utf8(borrowing), "5");
}

TEST(WStringFormatTest, LongOutputs) {
    std::basic_string<WCHAR> long_text(1000, 'w');
    CWString text;
    text.Format(TEXT("%s!"), long_text.c_str());
    EXPECT_EQ(text.GetLength(), 1001);
    EXPECT_EQ(text.GetText()[1000], '!');
    text.Format(TEXT("%300d"), 7);
    EXPECT_EQ(text.GetLength(), 300);
    EXPECT_EQ(text.GetText()[299], '7');
    EXPECT_EQ(text.GetText()[0], ' ');
}

// The old text stays readable while it is formatted, so it can be an argument of its own
// Format.
TEST(WStringFormatTest, ArgumentFromTheTextItself) {
    CWString text(TEXT("abc"));
    for (int i = 0; i < 6; ++i)
        text.Format(TEXT("<%s>"), text.GetText());
    EXPECT_EQ(Utf8(text), "<<<<<<abc>>>>>>");
    std::basic_string<WCHAR> big(600, 'q');
    text = CWString(big.c_str());
    text.Format(TEXT("%s%s"), text.GetText(), text.GetText());
    EXPECT_EQ(text.GetLength(), 1200);
}

TEST(WStringFormatTest, AppendFormatAppends) {
    CWString text(TEXT("n="));
    text.AppendFormat(TEXT("%d"), 12);
    text.AppendFormat(TEXT(""));
    text.AppendFormat(TEXT(", %s"), TEXT("x"));
    EXPECT_EQ(Utf8(text), "n=12, x");
}

} // namespace
