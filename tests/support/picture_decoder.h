// Picture tests need a real GDI+ decoder, which only the Windows test program has (the
// simulation starts GDI+ but decodes nothing). On the host they are skipped with that reason,
// so both test programs list the same tests.
#pragma once

#include <gtest/gtest.h>

#if defined(KEYSEQ_PLATFORM_SIM)
#define KEYSEQ_SKIP_WITHOUT_PICTURE_DECODER()                                                      \
    GTEST_SKIP() << "the simulation has no picture decoder (GDI+ decoding is not simulated); "     \
                    "this test runs in the Windows test program under Wine"
#else
#define KEYSEQ_SKIP_WITHOUT_PICTURE_DECODER() ((void)0)
#endif
