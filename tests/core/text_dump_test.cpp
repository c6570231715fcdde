// Debug dumps of the text and buffer classes: the default object description, the quoted
// and escaped form of texts, text arrays and byte buffers with their member limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/core/mstring_array.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/text_escape.h"
#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

std::string Address(const void* p) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return digits;
}

TEST(ObjectDumpTest, ClassNameAndAddressAppended) {
    CRixObject object;
    CWString out(TEXT(">"));
    object.DumpToText(out, 0);
    EXPECT_EQ(Utf8(out),
              ">无法解析的对象数据,其输出类名为: \"CRixObject\", 地址为: 0x" + Address(&object));

    CWString text(TEXT("not shown"));
    out.Empty();
    text.DumpToText(out, 5);
    EXPECT_EQ(Utf8(out),
              "无法解析的对象数据,其输出类名为: \"CWString\", 地址为: 0x" + Address(&text));

    object.SetEmptyObject(true);
    out.Empty();
    object.DumpToText(out, -1);
    EXPECT_EQ(Utf8(out), "无法解析的对象数据,其输出类名为: \"CRixObject\", 地址为: 0x" +
                             Address(&object) + ", 为空对象");
}

struct EscapeCase {
    std::basic_string<WCHAR> text;
    const char* quoted;
};

TEST(TextEscapeTest, EscapeTable) {
    const EscapeCase cases[] = {
        {TEXT(""), "\"\""},
        {TEXT("plain 文字"), "\"plain 文字\""},
        {{8, 9, 10, 12, 13}, "\"\\b\\t\\n\\f\\r\""},
        {TEXT("\"'\\"), "\"\\\"\\'\\\\\""},
        {{9, '"', 1}, "\"\\t\\\"\\001\""},
        {{27, 31, 7, 11}, "\"\\033\\037\\007\\013\""},
        {{32, 126, 127, 0xD800}, "\" ~\x7f\xed\xa0\x80\""},
    };
    for (const EscapeCase& c : cases) {
        CWString out;
        AppendQuotedText(out, c.text.c_str());
        EXPECT_EQ(Utf8(out), c.quoted);
    }
    CWString out;
    AppendQuotedText(out, nullptr);
    EXPECT_EQ(Utf8(out), "\"\"");
}

TEST(TextEscapeTest, LongTextAndOwnText) {
    std::basic_string<WCHAR> text(1000, 1);
    CWString out;
    AppendEscapedText(out, text.c_str());
    EXPECT_EQ(out.GetLength(), 4000);
    CWString self(TEXT("a\tb"));
    AppendQuotedText(self, self.GetText());
    EXPECT_EQ(Utf8(self), "a\tb\"a\\tb\"");
}

CMStringArray NumberedArray(int count) {
    CMStringArray array;
    for (int i = 0; i < count; ++i) {
        CWString text;
        text.Format(TEXT("e%d"), i);
        array.Append(text.GetText());
    }
    return array;
}

std::string ArrayLines(int from, int to) {
    std::string lines;
    for (int i = from; i < to; ++i)
        lines += "\r\n" + std::to_string(i + 1) + ". \"e" + std::to_string(i) + "\"";
    return lines;
}

struct ArrayDumpCase {
    int count;
    int64_t limit;
    std::string expected;
};

TEST(ArrayDumpTest, HeaderAndMemberLimits) {
    const ArrayDumpCase cases[] = {
        {0, 0, "<数组> 总共 0 个成员:"},
        {3, 0, "<数组> 总共 3 个成员:" + ArrayLines(0, 3)},
        {64, 0, "<数组> 总共 64 个成员:" + ArrayLines(0, 64)},
        {65, 0, "<数组> 总共 65 个成员,输出了 64 个,还有 1 个未被输出." + ArrayLines(0, 64)},
        {100, -1, "<数组> 总共 100 个成员:" + ArrayLines(0, 100)},
        {3, 2, "<数组> 总共 3 个成员,输出了 2 个,还有 1 个未被输出." + ArrayLines(0, 2)},
        {3, 3, "<数组> 总共 3 个成员:" + ArrayLines(0, 3)},
    };
    for (const ArrayDumpCase& c : cases) {
        CMStringArray array = NumberedArray(c.count);
        CWString out;
        array.DumpToText(out, c.limit);
        EXPECT_EQ(Utf8(out), c.expected) << c.count << " elements, limit " << c.limit;
    }
}

TEST(ArrayDumpTest, ElementsAreQuotedAndAppended) {
    CMStringArray array;
    const WCHAR special[] = {9, '"', 1, 0};
    array.Append(special);
    array.Append(nullptr);
    CWString out(TEXT("before|"));
    array.DumpToText(out, 0);
    EXPECT_EQ(Utf8(out), "before|<数组> 总共 2 个成员:\r\n1. \"\\t\\\"\\001\"\r\n2. \"\"");
}

CRixMem Buffer(const std::vector<int>& bytes) {
    CRixMem mem;
    for (int b : bytes) {
        BYTE byte = static_cast<BYTE>(b);
        mem.Append(&byte, 1);
    }
    return mem;
}

TEST(ByteDumpTest, ShortBuffer) {
    CRixMem mem = Buffer({0x41, 0x42, 0x0A});
    CWString out;
    mem.DumpToText(out, 0);
    EXPECT_EQ(Utf8(out),
              "<字节集> 总共 3 个字节:\r\n[00000000]: 41 42 0A" + std::string(39, ' ') + " | AB.");
    CRixMem empty;
    out.Empty();
    empty.DumpToText(out, 0);
    EXPECT_EQ(Utf8(out), "<字节集> 总共 0 个字节:");
}

TEST(ByteDumpTest, LinesOfSixteenWithPrintableColumn) {
    std::vector<int> bytes;
    for (int i = 0; i < 20; ++i)
        bytes.push_back(i * 13 % 256);
    CRixMem mem = Buffer(bytes);
    CWString out(TEXT("x"));
    mem.DumpToText(out, -1);
    EXPECT_EQ(Utf8(out), "x<字节集> 总共 20 个字节:"
                         "\r\n[00000000]: 00 0D 1A 27 34 41 4E 5B 68 75 82 8F 9C A9 B6 C3 | "
                         "...'4AN[hu......"
                         "\r\n[00000010]: D0 DD EA F7" +
                             std::string(36, ' ') + " | ....");
}

struct ByteLimitCase {
    int size;
    int64_t limit;
    const char* header;
    int lines;
};

TEST(ByteDumpTest, MemberLimits) {
    const ByteLimitCase cases[] = {
        {1024, 0, "<字节集> 总共 1024 个字节:", 64},
        {1025, 0, "<字节集> 总共 1025 个字节,输出了 1024 个,还有 1 个未被输出.", 64},
        {1025, -1, "<字节集> 总共 1025 个字节:", 65},
        {40, 17, "<字节集> 总共 40 个字节,输出了 17 个,还有 23 个未被输出.", 2},
    };
    for (const ByteLimitCase& c : cases) {
        CRixMem mem;
        mem.SetLength(c.size);
        for (int i = 0; i < c.size; ++i)
            mem.GetDataPtr()[i] = static_cast<BYTE>('a' + i % 26);
        CWString out;
        mem.DumpToText(out, c.limit);
        std::string text = Utf8(out);
        std::string header = c.header;
        ASSERT_EQ(text.substr(0, header.size()), header) << c.size << "/" << c.limit;
        std::string body = text.substr(header.size());
        // Every line is "\r\n[offset]:" + 16 × 3 + " | " + up to 16 characters.
        int lines = 0;
        size_t at = 0;
        while ((at = body.find("\r\n[", at)) != std::string::npos) {
            char offset[16];
            std::snprintf(offset, sizeof offset, "%08X", lines * 16);
            EXPECT_EQ(body.substr(at + 3, 8), offset);
            ++lines;
            ++at;
        }
        EXPECT_EQ(lines, c.lines) << c.size << "/" << c.limit;
        int shownBytes =
            c.limit < 0 ? c.size
                        : std::min<int>(c.size, c.limit == 0 ? 1024 : static_cast<int>(c.limit));
        int lastRun = shownBytes - (c.lines - 1) * 16;
        size_t lastLine = body.rfind("\r\n[");
        EXPECT_EQ(body.size() - lastLine, 13 + 48 + 3 + static_cast<size_t>(lastRun));
    }
}

} // namespace
