// The position and size records and their common base.
#include "runtime/core/rg_chcl.h"
#include "runtime/core/rg_kzhdxl.h"
#include "runtime/core/rg_wzhl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

using namespace rg_lch_jb;

TEST(Records, NamesAndKinds) {
    EXPECT_STREQ(rg_kzhdxl::ClassRecord()->pszName, "rg_lch_jb::rg_kzhdxl");
    EXPECT_STREQ(rg_wzhl::ClassRecord()->pszName, "rg_lch_jb::rg_wzhl");
    EXPECT_STREQ(rg_chcl::ClassRecord()->pszName, "rg_lch_jb::rg_chcl");
    rg_wzhl position;
    EXPECT_EQ(position.IsKindOf(rg_kzhdxl::ClassRecord()), 1);
    EXPECT_EQ(position.IsKindOf(CRixObject::ClassRecord()), 1);
    EXPECT_EQ(position.IsKindOf(rg_chcl::ClassRecord()), 0);
}

TEST(Records, BothCoordinatesDecideEquality) {
    EXPECT_EQ(rg_wzhl(1, 2).IsEqual(rg_wzhl(1, 2)), 1);
    EXPECT_EQ(rg_wzhl(1, 2).IsEqual(rg_wzhl(1, 3)), 0);
    EXPECT_EQ(rg_wzhl(1, 2).IsEqual(rg_wzhl(0, 2)), 0);
    EXPECT_EQ(rg_chcl(640, 480).IsEqual(rg_chcl(640, 480)), 1);
    EXPECT_EQ(rg_chcl(640, 480).IsEqual(rg_chcl(480, 640)), 0);
    // A position and a size with the same numbers are different classes.
    EXPECT_EQ(rg_wzhl(1, 2).IsEqual(rg_chcl(1, 2)), 0);
}

TEST(Records, AssignCloneReset) {
    rg_chcl size(640, 480);
    size.SetData(5);
    rg_chcl copy;
    ASSERT_EQ(copy.Assign(size), 1);
    EXPECT_EQ(copy.GetWidth(), 640);
    EXPECT_EQ(copy.GetHeight(), 480);
    EXPECT_EQ(copy.GetData(), 5);
    CRixObject* clone = size.Clone();
    EXPECT_EQ(clone->IsEqual(size), 1);
    DeleteThis(clone);
    copy.Reset();
    EXPECT_EQ(copy.GetWidth(), 0);
    EXPECT_EQ(copy.GetHeight(), 0);
    EXPECT_EQ(copy.GetData(), 0);
    // A size does not take a position's fields.
    EXPECT_EQ(size.Assign(rg_wzhl(1, 1)), 0);
    EXPECT_EQ(size.GetWidth(), 640);
}

TEST(Records, Dumps) {
    CWString out(TEXT("replaced"));
    rg_chcl(640, 480).DumpToText(out, 0);
    EXPECT_EQ(Utf8(out), "{ 宽度: 640; 高度: 480 }");
    rg_wzhl(-3, 2147483647).DumpToText(out, 0);
    EXPECT_EQ(Utf8(out), "{ 横向位置: -3; 纵向位置: 2147483647 }");
}

TEST(Records, BaseDumpIsTheObjectDescriptionAppended) {
    rg_kzhdxl record;
    record.SetEmptyObject(true);
    CWString out(TEXT(">"));
    record.DumpToText(out, 0);
    char address[32];
    std::snprintf(address, sizeof address, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&record)));
    EXPECT_EQ(Utf8(out), std::string(">无法解析的对象数据,其输出类名为: \"rg_lch_jb::rg_kzhdxl\", "
                                     "地址为: 0x") +
                             address + ", 为空对象");
}

} // namespace
