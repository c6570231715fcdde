// The single-value classes: class records, the protocol through CRixObject pointers, the
// decimal tolerance, GetValuePtr and the value dumps.
#include "runtime/core/single_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"

namespace {

using namespace rg_lch_jb;

std::string Dump(const CRixObject& object, const WCHAR* before = TEXT("old")) {
    CWString out(before);
    object.DumpToText(out, 0);
    return Utf8(out);
}

// The protocol every single-value class follows, written once for all eight.
template <typename T> class SingleValueProtocol : public testing::Test {};
using SingleValueTypes =
    testing::Types<rg_zhshl, rg_ljxl, rg_xshl, rg_dzhshl, rg_bzhshl, rg_chzhshl, rg_zfl, rg_zjl>;
TYPED_TEST_SUITE(SingleValueProtocol, SingleValueTypes);

TYPED_TEST(SingleValueProtocol, StartsAtZeroAndCopiesResetsCompares) {
    using V = typename TypeParam::ValueType;
    TypeParam a;
    EXPECT_EQ(a.GetValue(), V());
    TypeParam b(static_cast<V>(7));
    EXPECT_EQ(a.IsEqual(b), 0);
    b.SetData(42);

    ASSERT_EQ(a.Assign(b), 1);
    EXPECT_EQ(a.GetValue(), static_cast<V>(7));
    EXPECT_EQ(a.GetData(), 42);
    EXPECT_EQ(a.IsEqual(b), 1);

    CRixObject* clone = b.Clone();
    EXPECT_EQ(clone->GetClassInfo(), TypeParam::ClassRecord());
    EXPECT_EQ(clone->IsEqual(b), 1);
    EXPECT_EQ(static_cast<TypeParam*>(clone)->GetValue(), static_cast<V>(7));
    DeleteThis(clone);

    a.Reset();
    EXPECT_EQ(a.GetValue(), V());
    EXPECT_EQ(a.GetData(), 0);
    EXPECT_EQ(a.IsEqual(TypeParam()), 1);

    // The header words take part in equality.
    TypeParam c(static_cast<V>(7));
    EXPECT_EQ(c.IsEqual(b), 0);
    c.SetData(42);
    c.SetEmptyObject(true);
    EXPECT_EQ(c.IsEqual(b), 0);
}

TYPED_TEST(SingleValueProtocol, NameKindAndValuePointer) {
    const std::string name = TypeParam::ClassRecord()->pszName;
    EXPECT_EQ(name.rfind("rg_lch_jb::rg_", 0), 0u) << name;
    TypeParam v;
    EXPECT_EQ(v.IsKindOf(TypeParam::ClassRecord()), 1);
    EXPECT_EQ(v.IsKindOf(CRixBaseDataType::ClassRecord()), 1);
    EXPECT_EQ(v.IsKindOf(CRixObject::ClassRecord()), 1);
    EXPECT_EQ(v.IsKindOf(CWString::ClassRecord()), 0);

    // Writing through the pointer changes the value in place.
    CRixBaseDataType& base = v;
    auto* p = static_cast<typename TypeParam::ValueType*>(base.GetValuePtr());
    ASSERT_NE(p, nullptr);
    *p = static_cast<typename TypeParam::ValueType>(5);
    EXPECT_EQ(v.GetValue(), static_cast<typename TypeParam::ValueType>(5));
}

TEST(SingleValues, ClassNames) {
    struct Case {
        const ClassInfo* info;
        const char* name;
    };
    const Case cases[] = {
        {rg_zhshl::ClassRecord(), "rg_lch_jb::rg_zhshl"},
        {rg_ljxl::ClassRecord(), "rg_lch_jb::rg_ljxl"},
        {rg_xshl::ClassRecord(), "rg_lch_jb::rg_xshl"},
        {rg_dzhshl::ClassRecord(), "rg_lch_jb::rg_dzhshl"},
        {rg_bzhshl::ClassRecord(), "rg_lch_jb::rg_bzhshl"},
        {rg_chzhshl::ClassRecord(), "rg_lch_jb::rg_chzhshl"},
        {rg_zfl::ClassRecord(), "rg_lch_jb::rg_zfl"},
        {rg_zjl::ClassRecord(), "rg_lch_jb::rg_zjl"},
        {CRixBaseDataType::ClassRecord(), "CRixBaseDataType"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.info->pszName, c.name);
}

TEST(SingleValues, BaseHasNoValue) {
    CRixBaseDataType base;
    EXPECT_EQ(base.GetValuePtr(), nullptr);
    EXPECT_EQ(base.IsKindOf(CRixObject::ClassRecord()), 1);
}

TEST(SingleValues, ClassesWithTheSameNumberDiffer) {
    EXPECT_EQ(rg_zhshl(3).IsEqual(rg_bzhshl(3)), 0);
    EXPECT_EQ(rg_bzhshl(3).IsEqual(rg_chzhshl(3)), 0);
    EXPECT_EQ(rg_zhshl(3).IsEqual(rg_ljxl(3)), 0);
    // Assign across classes is refused and changes nothing.
    rg_zhshl target(9);
    EXPECT_EQ(target.Assign(rg_bzhshl(3)), 0);
    EXPECT_EQ(target.GetValue(), 9);
}

TEST(SingleValues, LogicalValuesCompareExactly) {
    EXPECT_EQ(rg_ljxl(1).IsEqual(rg_ljxl(2)), 0);
    EXPECT_EQ(rg_ljxl(1).IsEqual(rg_ljxl(1)), 1);
}

TEST(SingleValues, DecimalTolerance) {
    struct Case {
        double a, b;
        int equal;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0.1, 0.1000005, 1}, {0.1000005, 0.1, 1}, {0.1, 0.100002, 0},     {0.100002, 0.1, 0},
        {0.0, 1e-6, 1},      {1e-6, 0.0, 1},      {0.0, 1.0000001e-6, 0}, {-5.0, -5.0000009, 1},
        {nan, nan, 0},       {nan, 0.0, 0},       {inf, inf, 0}, // inf - inf is NaN
        {1e300, -1e300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rg_xshl(c.a).IsEqual(rg_xshl(c.b)), c.equal) << c.a << " vs " << c.b;
}

TEST(SingleValues, DumpsReplaceTheOutput) {
    struct Case {
        const CRixObject* object;
        std::string text;
    };
    const rg_zhshl i32(-2147483647 - 1);
    const rg_ljxl logical(2);
    const rg_dzhshl i16(static_cast<int16_t>(0xFFFF));
    const rg_dzhshl i16min(static_cast<int16_t>(-32768));
    const rg_zjl i8(static_cast<int8_t>(0xFF));
    const rg_zjl i8max(127);
    const rg_zjl i8min(-128);
    const rg_bzhshl i64(INT64_MIN);
    const rg_chzhshl i64b(1234567890123456789);
    const rg_zfl letter(TEXT('字'));
    const rg_zfl zero(0);
    const rg_xshl tiny(0.0000005);
    const rg_xshl half(1234.5);
    const rg_xshl big(1e20);
    const rg_xshl third(1.0 / 3.0);
    const Case cases[] = {
        {&i32, "-2147483648"},
        {&logical, "2"},
        {&i16, "-1"},
        {&i16min, "-32768"},
        {&i8, "-1"},
        {&i8max, "127"},
        {&i8min, "-128"},
        {&i64, "-9223372036854775808"},
        {&i64b, "1234567890123456789"},
        {&letter, "字"},
        {&zero, ""},
        {&tiny, "0"},
        {&half, "1234.5"},
        {&big, "1E+20"},
        {&third, "0.333333333333333"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dump(*c.object), c.text) << c.object->GetClassInfo()->pszName;
}

TEST(SingleValues, DumpKeepsTheOutputsHeaderWords) {
    CWString out(TEXT("old"));
    out.SetData(77);
    rg_xshl(2.5).DumpToText(out, 0);
    EXPECT_EQ(Utf8(out), "2.5");
    EXPECT_EQ(out.GetData(), 77);
}

TEST(SingleValues, BaseDumpIsTheObjectDescription) {
    CRixBaseDataType base;
    const std::string text = Dump(base, TEXT("前"));
    EXPECT_EQ(text.rfind("前无法解析的对象数据,其输出类名为: \"CRixBaseDataType\", 地址为: 0x", 0),
              0u)
        << text;
}

} // namespace
