// DoubleToText: the zero band and the fifteen-digit form.
#include "runtime/core/double_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "tests/core/text_testing.h"

namespace {

TEST(DoubleToText, Table) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.0000005, "0"},
        {0.000001, "0"},
        {-0.000001, "0"},
        {0.0000011, "1.1E-06"},
        {0.1, "0.1"},
        {-2.5, "-2.5"},
        {1234.5, "1234.5"},
        {1e20, "1E+20"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {1.0 / 3.0, "0.333333333333333"},
        {-1e-5, "-1E-05"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8(DoubleToText(c.value)), c.text) << c.value;
}

// Values that are no numbers read the same on both backends, whatever the platform's printf
// would make of them.
TEST(DoubleToText, NotANumberAndInfinities) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Utf8(DoubleToText(inf)), "INF");
    EXPECT_EQ(Utf8(DoubleToText(-inf)), "-INF");
    EXPECT_EQ(Utf8(DoubleToText(nan)), "NAN");
    EXPECT_EQ(Utf8(DoubleToText(-nan)), "NAN");
    EXPECT_EQ(Utf8(DoubleToText(inf - inf)), "NAN");
}

} // namespace
