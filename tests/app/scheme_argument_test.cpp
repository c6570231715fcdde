// The scheme named on the command line: the first argument, nothing else.
#include <gtest/gtest.h>

#include <string>

#include "app/schemes/scheme_argument.h"

namespace {

TEST(SchemeArgumentTest, IsTheFirstArgumentOnly) {
    static const struct {
        const char16_t* line;
        const char16_t* name;
    } kCases[] = {
        {u"keyseq.exe 演示", u"演示"},
        {u"\"C:\\a b\\keyseq.exe\" \"my scheme\" other", u"my scheme"},
        {u"keyseq.exe", u""},
        {u"keyseq.exe \"\" other", u""}, // an empty first argument names nothing
    };
    for (const auto& c : kCases) {
        CWString name = SchemeArgument(reinterpret_cast<const WCHAR*>(c.line));
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name.GetText())), c.name)
            << "case " << (&c - kCases);
    }
}

} // namespace
