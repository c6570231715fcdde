// The start-up's fallback for DPI awareness: a process that is not per-monitor aware becomes
// so, one that is stays as it is. Under Wine every process is per-monitor aware already.
#include <gtest/gtest.h>

#include "app/window/dpi_awareness.h"
#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

DPI_AWARENESS Awareness() {
    return GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext());
}

TEST(DpiAwareness, StartUpLeavesTheProcessPerMonitorAware) {
#if defined(KEYSEQ_PLATFORM_SIM)
    // A process without the manifest's awareness; one that chose system awareness itself is
    // not overridden (the call is refused once an awareness is set).
    sim::ResetDpiAwareness();
    ASSERT_EQ(Awareness(), DPI_AWARENESS_UNAWARE);
#endif
    EXPECT_TRUE(EnsurePerMonitorDpiAwareness());
    EXPECT_EQ(Awareness(), DPI_AWARENESS_PER_MONITOR_AWARE);
    // Again: nothing to do, still aware.
    EXPECT_TRUE(EnsurePerMonitorDpiAwareness());
    EXPECT_EQ(Awareness(), DPI_AWARENESS_PER_MONITOR_AWARE);
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::ResetDpiAwareness();
    ASSERT_TRUE(SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE));
    EXPECT_FALSE(EnsurePerMonitorDpiAwareness());
    EXPECT_EQ(Awareness(), DPI_AWARENESS_SYSTEM_AWARE);
    sim::ResetDpiAwareness();
#endif
}

} // namespace
