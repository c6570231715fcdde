// The replay engine against the input it injects.
//
// Two ways of watching: low-level hooks on the test thread, which work on both backends and
// let a hook act at an exact point of the run (the way the trigger key stops a run from the
// hook); and, on the host, the simulated input stream's log, which also records cursor
// placements and the time of each event.
#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/replay_engine.h"
#include "app/step_list.h"
#include "platform/platform.h"
#include "runtime/shell/debug_trace.h"
#include "tests/support/message_pump.h"

namespace {

// Keys that nothing reacts to, so runs under Wine or on a desktop disturb nothing.
constexpr DWORD kF13 = 0x7C;
constexpr DWORD kF14 = 0x7D;
constexpr DWORD kF15 = 0x7E;

struct Event {
    WPARAM message;
    DWORD code; // keys: the virtual-key code
    DWORD thread;
};

class ReplayHookThreadTest;
ReplayHookThreadTest* g_fixture = nullptr;

// Records every injected key and button event on the test thread; a test may add an action
// that runs inside the hook, at an exact point of the run.
class ReplayHookThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_fixture = this;
        StepList.Clear();
        keyboard_ = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, nullptr, 0);
        mouse_ = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, nullptr, 0);
        ASSERT_NE(keyboard_, nullptr);
        ASSERT_NE(mouse_, nullptr);
    }
    void TearDown() override {
        StopReplay();
        PumpUntil([] { return WaitForReplayWorker(0); });
        UnhookWindowsHookEx(keyboard_);
        UnhookWindowsHookEx(mouse_);
        StepList.Clear();
        g_fixture = nullptr;
    }

    // Runs until the worker has ended, pumping so that the hooks are called.
    void RunToEnd(int32_t count) {
        StartReplay(count);
        ASSERT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }, 10000));
        PumpFor(20); // a late event, if there were one, would show up now
        EXPECT_FALSE(IsReplayRunning());
    }

    std::vector<Event> events_; // only touched on this thread, by the hooks
    std::function<void(const Event&)> action_;

private:
    static void Record(const Event& event) {
        g_fixture->events_.push_back(event);
        if (g_fixture->action_)
            g_fixture->action_(event);
    }
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
        auto* record = reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && g_fixture != nullptr && (record->flags & LLKHF_INJECTED))
            Record(Event{wparam, record->vkCode, GetCurrentThreadId()});
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
        auto* record = reinterpret_cast<MSLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && g_fixture != nullptr && (record->flags & LLMHF_INJECTED) &&
            wparam != WM_MOUSEMOVE)
            Record(Event{wparam, 0, GetCurrentThreadId()});
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    HHOOK keyboard_ = nullptr;
    HHOOK mouse_ = nullptr;
};

std::vector<std::pair<WPARAM, DWORD>> Keys(const std::vector<Event>& events) {
    std::vector<std::pair<WPARAM, DWORD>> out;
    for (const auto& e : events)
        out.emplace_back(e.message, e.code);
    return out;
}

using KeyList = std::vector<std::pair<WPARAM, DWORD>>;

TEST_F(ReplayHookThreadTest, InjectedKeysReachTheHookOnTheInstallingThread) {
    StepList.Append(TEXT("A124"));
    RunToEnd(1);
    EXPECT_EQ(Keys(events_), (KeyList{{WM_KEYDOWN, kF13}, {WM_KEYUP, kF13}}));
    for (const auto& e : events_)
        EXPECT_EQ(e.thread, GetCurrentThreadId());
}

TEST_F(ReplayHookThreadTest, AStopDuringAKeyHoldSendsExactlyTheKeyUp) {
    StepList.LoadFromText(TEXT("A124 A125 D60000 A126"));
    action_ = [](const Event& e) {
        if (e.message == WM_KEYDOWN && e.code == kF13)
            StopReplay(); // as the trigger handler does, from the hook, during the hold
    };
    RunToEnd(1);
    EXPECT_EQ(Keys(events_), (KeyList{{WM_KEYDOWN, kF13}, {WM_KEYUP, kF13}}));
}

TEST_F(ReplayHookThreadTest, AStopDuringAButtonHoldSendsExactlyTheButtonUp) {
    StepList.LoadFromText(TEXT("B3 A124"));
    action_ = [](const Event& e) {
        if (e.message == WM_MBUTTONDOWN)
            StopReplay();
    };
    RunToEnd(1);
    EXPECT_EQ(Keys(events_), (KeyList{{WM_MBUTTONDOWN, 0}, {WM_MBUTTONUP, 0}}));
}

TEST_F(ReplayHookThreadTest, ASchemeThatReleasesTheTriggerKeyStopsItself) {
    // The trigger handler stops a running replay when the trigger key is released.
    StepList.LoadFromText(TEXT("A124 A125 A126"));
    action_ = [](const Event& e) {
        if (e.message == WM_KEYUP && e.code == kF14 && IsReplayRunning())
            StopReplay();
    };
    RunToEnd(5);
    EXPECT_EQ(
        Keys(events_),
        (KeyList{{WM_KEYDOWN, kF13}, {WM_KEYUP, kF13}, {WM_KEYDOWN, kF14}, {WM_KEYUP, kF14}}));
}

TEST_F(ReplayHookThreadTest, EditsDuringARunTakeEffectFromTheNextStep) {
    StepList.LoadFromText(TEXT("A124 A124 A124"));
    action_ = [](const Event& e) {
        if (e.message == WM_KEYDOWN && e.code == kF13) {
            // The worker waits in keybd_event while this runs: the edit lands mid-step.
            StepList.Clear();
            StepList.LoadFromText(TEXT("A124 A125"));
        }
        if (e.message == WM_KEYDOWN && e.code == kF14)
            StepList.RemoveAt(1); // the list now ends before the step after this one
    };
    RunToEnd(1);
    EXPECT_EQ(
        Keys(events_),
        (KeyList{{WM_KEYDOWN, kF13}, {WM_KEYUP, kF13}, {WM_KEYDOWN, kF14}, {WM_KEYUP, kF14}}));
}

TEST_F(ReplayHookThreadTest, ButtonsOneToThreeClickAndOthersDoNothing) {
    StepList.LoadFromText(TEXT("B1 B0 B2 B4 B B3 B-1 B257"));
    RunToEnd(1);
    EXPECT_EQ(Keys(events_), (KeyList{{WM_LBUTTONDOWN, 0},
                                      {WM_LBUTTONUP, 0},
                                      {WM_RBUTTONDOWN, 0},
                                      {WM_RBUTTONUP, 0},
                                      {WM_MBUTTONDOWN, 0},
                                      {WM_MBUTTONUP, 0}}));
}

TEST_F(ReplayHookThreadTest, OnlyTheLowByteOfAKeyCodeCounts) {
    StepList.Append(TEXT("A380")); // 0x17C
    RunToEnd(1);
    EXPECT_EQ(Keys(events_), (KeyList{{WM_KEYDOWN, kF13}, {WM_KEYUP, kF13}}));
}

TEST_F(ReplayHookThreadTest, EmptyListsAndCountsBelowOneInjectNothing) {
    RunToEnd(1);
    StepList.Append(TEXT("A124"));
    RunToEnd(0);
    RunToEnd(-3);
    EXPECT_TRUE(events_.empty());
}

TEST_F(ReplayHookThreadTest, StoppingOneRunNeverStopsTheNext) {
    StepList.Append(TEXT("D-1"));
    StartReplay(1);
    StopReplay();
    StepList.Clear();
    StepList.Append(TEXT("A126"));
    RunToEnd(2);
    EXPECT_EQ(
        Keys(events_),
        (KeyList{{WM_KEYDOWN, kF15}, {WM_KEYUP, kF15}, {WM_KEYDOWN, kF15}, {WM_KEYUP, kF15}}));
}

// The trace texts of a run, collected from the debug-trace routine.
std::mutex g_trace_lock;
std::vector<std::u16string> g_traces; // guarded by g_trace_lock

void CollectTrace(const WCHAR* text) {
    std::u16string units;
    for (; *text != 0; ++text)
        units.push_back(static_cast<char16_t>(*text));
    std::lock_guard<std::mutex> guard(g_trace_lock);
    g_traces.push_back(units);
}

TEST_F(ReplayHookThreadTest, TraceIndicesRestartEveryPass) {
    StepList.LoadFromText(TEXT("E1@1 X9"));
    {
        std::lock_guard<std::mutex> guard(g_trace_lock);
        g_traces.clear();
    }
    DebugTraceSink previous = SetDebugTraceSink(CollectTrace);
    RunToEnd(2);
    SetDebugTraceSink(previous);
    std::lock_guard<std::mutex> guard(g_trace_lock);
    EXPECT_EQ(g_traces, (std::vector<std::u16string>{u"进入循环 计次0", u"进入循环 计次1",
                                                     u"进入循环 计次0", u"进入循环 计次1"}));
}

TEST_F(ReplayHookThreadTest, ProgressIsThePassUnderWayOfTheCurrentRun) {
    int32_t pass = -1, count = -1;
    EXPECT_FALSE(GetReplayProgress(pass, count)) << "no run yet";
    StepList.LoadFromText(TEXT("A124 A125"));
    std::vector<std::pair<int32_t, int32_t>> seen;
    action_ = [&](const Event& e) {
        int32_t p = 0, c = 0;
        if (e.message == WM_KEYDOWN && GetReplayProgress(p, c))
            seen.emplace_back(p, c);
    };
    RunToEnd(3);
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{
                        {1, 3}, {1, 3}, {2, 3}, {2, 3}, {3, 3}, {3, 3}}));
    EXPECT_FALSE(GetReplayProgress(pass, count)) << "the run has ended";

    StepList.LoadFromText(TEXT("D60000"));
    StartReplay(5);
    EXPECT_TRUE(PumpUntil([&] { return GetReplayProgress(pass, count); }));
    EXPECT_EQ(pass, 1);
    EXPECT_EQ(count, 5);
    StopReplay();
    EXPECT_FALSE(GetReplayProgress(pass, count)) << "a stopped run shows no progress at once";
}

TEST_F(ReplayHookThreadTest, DelayRangesWaitAndEnd) {
    // A reversed range and a range with a negative end run their passes and end (a negative
    // end counts as 0, never as the endless wait of D-1).
    StepList.LoadFromText(TEXT("A124 D5~1 A125 D-3~2"));
    RunToEnd(4);
    EXPECT_EQ(events_.size(), 16u);
}

} // namespace
