// Exit-status predicates for EXPECT_PROCESS_EXIT (tests/support/process_exit.h) that hold on both
// backends: a process that ends with status -1 reports 255 to a POSIX parent and 0xFFFFFFFF (-1 as
// a signed int) on Windows.
#pragma once

#include <gtest/gtest.h>

inline bool ExitedWithMinusOne(int status) {
#if defined(_WIN32)
    return status == -1;
#else
    return ::testing::ExitedWithCode(255)(status);
#endif
}
