// Event bindings changed and fired on another thread while the user-interface thread fires:
// every call sees a callback with the target it was bound with, and the targets' counts come
// back to their owners' own reference. Runs under TSan as well.
#include <atomic>
#include <thread>

#include <gmock/gmock.h>

#include "tests/ui/test_controls.h"

namespace {

using keyseq_test::HandlerTarget;
using keyseq_test::TestControl;
using rg_lch_MFCjm_jb::CRixWinControl;

HandlerTarget* g_a = nullptr;
HandlerTarget* g_b = nullptr;
std::atomic<int64_t> g_calls{0};
std::atomic<int64_t> g_mismatches{0};

int64_t OnA(CRixObject* target, CRixObject*, int32_t, int64_t a1, int64_t, int64_t) {
    g_calls.fetch_add(1, std::memory_order_relaxed);
    if (target != g_a || a1 != 7)
        g_mismatches.fetch_add(1, std::memory_order_relaxed);
    return 1;
}

int64_t OnB(CRixObject* target, CRixObject*, int32_t, int64_t a1, int64_t, int64_t) {
    g_calls.fetch_add(1, std::memory_order_relaxed);
    if (target != g_b || a1 != 7)
        g_mismatches.fetch_add(1, std::memory_order_relaxed);
    return 2;
}

TEST(EventBindingConcurrency, BindingAndFiringOnAnotherThreadWhileTheUiThreadFires) {
    HandlerTarget a, b;
    g_a = &a;
    g_b = &b;
    g_calls = 0;
    g_mismatches = 0;
    constexpr int kRounds = 30000; // a multiple of 3: the last round unbinds
    {
        TestControl control;
        EventBinding& binding = control.Event(CRixWinControl::kLeftDown);
        control.BindEvent(binding, &OnA, a.pointer);
        std::atomic<bool> done{false};
        std::thread other([&] {
            for (int i = 0; i < kRounds; ++i) {
                switch (i % 3) {
                case 0:
                    control.BindEvent(binding, &OnB, b.pointer);
                    break;
                case 1:
                    control.BindEvent(binding, &OnA, a.pointer);
                    break;
                default:
                    control.BindEvent(binding, nullptr, nullptr);
                    break;
                }
                binding.Fire(&control, 7);
            }
            done = true;
        });
        // 0 unbound, 1 from OnA, 2 from OnB; nothing else can come back.
        int64_t strange = 0;
        while (!done) {
            int64_t r = control.FireEvent(CRixWinControl::kLeftDown, 7);
            if (r < 0 || r > 2)
                ++strange;
        }
        other.join();
        EXPECT_GT(g_calls.load(), 0);
        EXPECT_EQ(g_mismatches.load(), 0);
        EXPECT_EQ(strange, 0);
        // The last round stored null and null.
        EXPECT_FALSE(binding.IsBound());
    }
    EXPECT_EQ(a.pointer->RefCount(), 1);
    EXPECT_EQ(b.pointer->RefCount(), 1);
}

// Another thread binds while the user-interface thread resets the control over and over (each
// reset lets go of the holder and its native object): the binding thread must never reach a
// holder or native object that is being freed. Under ASan or TSan a fault shows as a report.
TEST(EventBindingConcurrency, BindingOnAnotherThreadWhileTheUiThreadResetsTheControl) {
    HandlerTarget a;
    g_a = &a;
    TestControl control;
    EventBinding& binding = control.Event(CRixWinControl::kLeftDown);
    std::atomic<bool> done{false};
    std::atomic<int64_t> binds{0};
    std::thread other([&] {
        while (!done.load(std::memory_order_acquire)) {
            control.BindEvent(binding, &OnA, a.pointer);
            binds.fetch_add(1, std::memory_order_relaxed);
        }
    });
    for (int i = 0; i < 20000 || binds.load(std::memory_order_relaxed) < 1000; ++i)
        control.Reset();
    done.store(true, std::memory_order_release);
    other.join();
    // The last binding stands, and binding again attaches the control to its current window
    // object.
    control.BindEvent(binding, &OnA, a.pointer);
    EXPECT_EQ(control.IsListenerAttached(), 1);
    MSG msg{nullptr, WM_LBUTTONDOWN, 0, 7, 0, {0, 0}}; // x = 7
    g_calls = 0;
    g_mismatches = 0;
    EXPECT_EQ(control.DispatchInput(&msg), 1);
    EXPECT_EQ(g_calls.load(), 1);
    EXPECT_EQ(g_mismatches.load(), 0);
    control.BindEvent(binding, nullptr, nullptr);
}

} // namespace
