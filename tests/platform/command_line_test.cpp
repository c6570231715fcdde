// Splitting a command line into arguments (CommandLineToArgvW), on both backends: the program
// takes the scheme to open from the first argument, and a name with blanks comes in quotes.
// Under Wine the table checks the simulation against the system's own splitting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

using Args = std::vector<std::u16string>;

Args Split(const char16_t* command_line) {
    int count = -1;
    LPWSTR* argv = CommandLineToArgvW(reinterpret_cast<LPCWSTR>(command_line), &count);
    Args args;
    if (argv == nullptr)
        return args;
    for (int i = 0; i < count; ++i)
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    EXPECT_EQ(argv[count], nullptr) << "the vector ends with a null";
    EXPECT_EQ(LocalFree(argv), nullptr);
    return args;
}

TEST(CommandLineTest, SplitsAsTheSystemDoes) {
    static const struct {
        const char16_t* line;
        Args args;
    } kCases[] = {
        {u"keyseq.exe 演示", {u"keyseq.exe", u"演示"}},
        {u"\"C:\\Program Files\\k\\keyseq.exe\" \"my scheme\"",
         {u"C:\\Program Files\\k\\keyseq.exe", u"my scheme"}},
        {u"keyseq.exe  a\tb  ", {u"keyseq.exe", u"a", u"b"}},
        {u"keyseq.exe my\" \"scheme", {u"keyseq.exe", u"my scheme"}},
        {u"keyseq.exe a\\\\b a\\\"b a\\\\\"b c\"", {u"keyseq.exe", u"a\\\\b", u"a\"b", u"a\\b c"}},
        {u"keyseq.exe \"a\\\\\" b", {u"keyseq.exe", u"a\\", u"b"}},
        {u"keyseq.exe \"\" x", {u"keyseq.exe", u"", u"x"}},
        {u"keyseq.exe \"a\"\"b\"", {u"keyseq.exe", u"a\"b"}},
        {u"keyseq.exe", {u"keyseq.exe"}},
        {u"keyseq.exe   ", {u"keyseq.exe"}},
        {u"\"C:\\a b\\k.exe\"x y", {u"C:\\a b\\k.exe", u"x", u"y"}},
        {u"C:\\dir\\\"k.exe a", {u"C:\\dir\\\"k.exe", u"a"}}, // the program name has no escapes
    };
    for (const auto& c : kCases) {
        Args got = Split(c.line);
        EXPECT_EQ(got, c.args) << "case " << (&c - kCases);
    }
}

TEST(CommandLineTest, AnEmptyLineGivesTheProgramAlone) {
    Args got = Split(u"");
    ASSERT_EQ(got.size(), 1u);
    WCHAR path[1024] = {};
    GetModuleFileNameW(nullptr, path, 1024);
    EXPECT_EQ(got[0], reinterpret_cast<const char16_t*>(path));
}

TEST(CommandLineTest, NoCountIsRefused) {
    SetLastError(0);
    EXPECT_EQ(CommandLineToArgvW(TEXT("keyseq.exe a"), nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CommandLineTest, TheProcessHasOne) {
    // Whatever it holds, it splits into at least the program name.
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    ASSERT_NE(argv, nullptr);
    EXPECT_GE(count, 1);
    LocalFree(argv);
}

} // namespace
