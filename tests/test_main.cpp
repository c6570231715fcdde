// Entry point of the unit-test program, for the host and for the Windows build alike.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests re-run this program; "threadsafe" starts it afresh instead of forking a
    // process that already has threads (and it is the only style Windows has).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
