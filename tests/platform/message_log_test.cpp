// The simulation's message log, which later tests use to pin message sequences: every call
// of a window procedure and of the default procedure, in order, with the route it came by.
#include "tests/platform/test_window.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

using keyseq_test::TestWindows;
using MessageLog = TestWindows;

TEST_F(MessageLog, RecordsSentPostedAndDefaultProcessingInOrder) {
#if !defined(KEYSEQ_PLATFORM_SIM)
    GTEST_SKIP() << "the message log is a test interface of the simulated backend";
#else
    sim::StartMessageLog();
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, WM_USER + 1, 4, 5);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
    DispatchMessageW(&msg);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    auto log = sim::StopMessageLog();

    using R = sim::MessageRoute;
    struct Step {
        UINT message;
        R route;
    };
    // The fixture's window procedure passes every message on to the default procedure, so
    // each entry is followed by its default processing; WM_CLOSE's default processing
    // destroys the window from inside it.
    const Step expected[] = {
        {WM_NCCREATE, R::Sent},   {WM_NCCREATE, R::DefWindowProc},
        {WM_CREATE, R::Sent},     {WM_CREATE, R::DefWindowProc},
        {WM_SIZE, R::Sent},       {WM_SIZE, R::DefWindowProc},
        {WM_MOVE, R::Sent},       {WM_MOVE, R::DefWindowProc},
        {WM_USER + 1, R::Posted}, {WM_USER + 1, R::DefWindowProc},
        {WM_CLOSE, R::Sent},      {WM_CLOSE, R::DefWindowProc},
        {WM_DESTROY, R::Sent},    {WM_DESTROY, R::DefWindowProc},
        {WM_NCDESTROY, R::Sent},  {WM_NCDESTROY, R::DefWindowProc},
    };
    ASSERT_EQ(log.size(), std::size(expected));
    for (size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(log[i].hwnd, hwnd);
        EXPECT_EQ(log[i].message, expected[i].message);
        EXPECT_EQ(log[i].route, expected[i].route);
    }
    EXPECT_EQ(log[8].wParam, 4u);
    EXPECT_EQ(log[8].lParam, 5);

    // Nothing is recorded once the log is stopped.
    HWND after = Create(WS_POPUP);
    ASSERT_NE(after, nullptr);
    SendMessageW(after, WM_NULL, 0, 0);
    EXPECT_TRUE(sim::StopMessageLog().empty());
#endif
}

} // namespace
