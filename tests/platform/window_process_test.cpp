// Which process and thread a window belongs to (GetWindowThreadProcessId): the recorder tells
// the program's own windows from other programs' by it.
#include <gtest/gtest.h>

#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

TEST(WindowProcessTest, AWindowBelongsToTheProcessAndThreadThatMadeIt) {
    HWND window = CreateWindowExW(0, TEXT("STATIC"), TEXT("mine"), WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    DWORD process = 0;
    EXPECT_EQ(GetWindowThreadProcessId(window, &process), GetCurrentThreadId());
    EXPECT_EQ(process, GetCurrentProcessId());
#if defined(KEYSEQ_PLATFORM_SIM)
    // The simulation's stand-in for another program's window.
    sim::SetWindowProcess(window, GetCurrentProcessId() + 1);
    GetWindowThreadProcessId(window, &process);
    EXPECT_EQ(process, GetCurrentProcessId() + 1);
#endif
    DestroyWindow(window);
    process = 7;
    EXPECT_EQ(GetWindowThreadProcessId(window, &process), 0u) << "a destroyed window";
}

} // namespace
