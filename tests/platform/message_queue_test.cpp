// Sent and posted messages, the quit message and message filters, on both backends.
#include "tests/platform/test_window.h"

namespace {

using keyseq_test::TestWindows;
using MessageQueue = TestWindows;

constexpr UINT kPosted = WM_USER + 1;
constexpr UINT kSent = WM_USER + 2;
constexpr UINT kAnswerBack = WM_USER + 3;

// Waits (pumping nothing) until a message sent by another thread is waiting for this one.
bool WaitForIncomingSend() {
    const ULONGLONG give_up = GetTickCount64() + 10000;
    while ((LOWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) == 0) {
        if (GetTickCount64() > give_up)
            return false;
        Sleep(1);
    }
    return true;
}

struct SendJob {
    HWND target;
    UINT message;
    WPARAM wparam;
    LRESULT result;
};

DWORD WINAPI SendFromWorker(LPVOID param) {
    auto* job = static_cast<SendJob*>(param);
    job->result = SendMessageW(job->target, job->message, job->wparam, 0);
    return 0;
}

TEST_F(MessageQueue, SentMessageFromAnotherThreadIsHandledBeforeAPostedOne) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    handler = [](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == kSent)
            return static_cast<LRESULT>(w * 3);
        return std::nullopt;
    };
    ASSERT_TRUE(PostMessageW(hwnd, kPosted, 1, 0));
    SendJob job{hwnd, kSent, 14, 0};
    HANDLE worker = CreateThread(nullptr, 0, &SendFromWorker, &job, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(WaitForIncomingSend());

    MSG msg;
    ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
    // GetMessage handled the sent message before it handed out the posted one.
    EXPECT_EQ(msg.message, kPosted);
    EXPECT_EQ(Numbers({kPosted, kSent}), (std::vector<UINT>{kSent}));
    DispatchMessageW(&msg);
    EXPECT_EQ(Numbers({kPosted, kSent}), (std::vector<UINT>{kSent, kPosted}));

    EXPECT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(job.result, 42);
    CloseHandle(worker);
}

TEST_F(MessageQueue, CrossThreadSendRunsOnTheOwningThreadAndReturnsTheResult) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    handler = [](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == kSent)
            return static_cast<LRESULT>(w + 1000);
        return std::nullopt;
    };
    SendJob job{hwnd, kSent, 7, 0};
    HANDLE worker = CreateThread(nullptr, 0, &SendFromWorker, &job, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }));
    EXPECT_EQ(job.result, 1007);
    auto sent = Only({kSent});
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].thread, GetCurrentThreadId());
    CloseHandle(worker);
}

// The worker owns a window of its own and sends to the main thread's window; that window's
// procedure sends back to the worker's window while the worker is still waiting in its send.
struct PingPong {
    TestWindows* fixture;
    HWND main_window;
    HWND worker_window;
    LRESULT result;
};

DWORD WINAPI PingFromWorker(LPVOID param) {
    auto* p = static_cast<PingPong*>(param);
    p->worker_window = p->fixture->Create(WS_POPUP);
    p->result = SendMessageW(p->main_window, kSent, 0, 0);
    DestroyWindow(p->worker_window);
    return 0;
}

TEST_F(MessageQueue, ASenderHandlesMessagesSentToItWhileItWaits) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    PingPong p{this, hwnd, nullptr, 0};
    handler = [&p](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == kSent)
            return 1 + SendMessageW(p.worker_window, kAnswerBack, 0, 0);
        if (m == kAnswerBack)
            return static_cast<LRESULT>(h == p.worker_window ? 100 : -1);
        return std::nullopt;
    };
    HANDLE worker = CreateThread(nullptr, 0, &PingFromWorker, &p, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }));
    EXPECT_EQ(p.result, 101);
    auto answered = Only({kAnswerBack});
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_NE(answered[0].thread, GetCurrentThreadId());
    CloseHandle(worker);
}

TEST_F(MessageQueue, QuitComesAfterThePostedMessagesAndEndsTheLoopWithItsCode) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, kPosted, 1, 0);
    PostQuitMessage(7);
    PostMessageW(hwnd, kPosted, 2, 0);

    MSG msg;
    std::vector<WPARAM> order;
    BOOL result;
    while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        order.push_back(msg.wParam);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(order, (std::vector<WPARAM>{1, 2}));
    // The quit message is handed out once.
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, PeekWithoutRemovingLeavesTheQuitMessage) {
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageQueue, FiltersSelectByWindowAndByRange) {
    HWND a = Create(WS_POPUP);
    HWND b = Create(WS_POPUP);
    ASSERT_TRUE(a != nullptr && b != nullptr);
    PostMessageW(a, WM_USER + 10, 0, 0);
    PostMessageW(b, WM_USER + 20, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 30, 0, 0);

    struct Case {
        const char* name;
        HWND filter;
        UINT min, max;
        HWND want_hwnd;
        UINT want_message;
    };
    const Case cases[] = {
        {"window b", b, 0, 0, b, WM_USER + 20},
        {"thread messages only", reinterpret_cast<HWND>(-1), 0, 0, nullptr, WM_USER + 30},
        {"range", nullptr, WM_USER + 5, WM_USER + 15, a, WM_USER + 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MSG msg{};
        ASSERT_TRUE(PeekMessageW(&msg, c.filter, c.min, c.max, PM_NOREMOVE));
        EXPECT_EQ(msg.hwnd, c.want_hwnd);
        EXPECT_EQ(msg.message, c.want_message);
    }
    // Nothing was removed: all three come out in posting order.
    std::vector<UINT> order;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 100, PM_REMOVE))
        order.push_back(msg.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 10, WM_USER + 20, WM_USER + 30}));
}

struct QueueProbe {
    HANDLE ready;
    HANDLE go;
    MSG received;
};

DWORD WINAPI ReceiveThreadMessage(LPVOID param) {
    auto* probe = static_cast<QueueProbe*>(param);
    // Until this thread calls a message function it has no queue.
    WaitForSingleObject(probe->go, INFINITE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(probe->ready);
    if (GetMessageW(&probe->received, nullptr, 0, 0) <= 0)
        return 1;
    return static_cast<DWORD>(probe->received.wParam);
}

TEST_F(MessageQueue, ThreadMessagesReachOnlyAThreadWithAQueue) {
    QueueProbe probe{CreateEventW(nullptr, TRUE, FALSE, nullptr),
                     CreateEventW(nullptr, TRUE, FALSE, nullptr),
                     {}};
    DWORD id = 0;
    HANDLE worker = CreateThread(nullptr, 0, &ReceiveThreadMessage, &probe, 0, &id);
    ASSERT_NE(worker, nullptr);
    SetLastError(0);
    EXPECT_FALSE(PostThreadMessageW(id, WM_USER + 5, 1, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));

    SetEvent(probe.go);
    ASSERT_EQ(WaitForSingleObject(probe.ready, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(PostThreadMessageW(id, WM_USER + 5, 77, 0));
    ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(worker, &code);
    EXPECT_EQ(code, 77u);
    EXPECT_EQ(probe.received.hwnd, nullptr);
    EXPECT_EQ(probe.received.message, static_cast<UINT>(WM_USER + 5));
    for (HANDLE h : {worker, probe.ready, probe.go})
        CloseHandle(h);
}

TEST_F(MessageQueue, MessagesToAMissingWindowFail) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    DestroyWindow(hwnd);
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(hwnd, kPosted, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(SendMessageW(hwnd, kSent, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

} // namespace
