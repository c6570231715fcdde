// Tests that read the simulation's test interface cannot run against the real platform. On
// Windows they are still declared, as skipped with their reason, so that both test programs
// list the same tests and a missing one stands out.
#pragma once

#include <gtest/gtest.h>

#define KEYSEQ_SIM_ONLY_TEST(suite, name, reason)                                                  \
    TEST(suite, name) {                                                                            \
        GTEST_SKIP() << reason;                                                                    \
    }
