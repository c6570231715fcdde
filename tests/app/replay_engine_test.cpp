// The replay engine against the input it injects.
//
// Two ways of watching: low-level hooks on the test thread, which work on both backends and
// let a hook act at an exact point of the run (the way the trigger key stops a run from the
// hook); and, on the host, the simulated input stream's log, which also records cursor
// placements and the time of each event.
#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "runtime/shell/debug_trace.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_folder.h"

namespace {

// Keys that nothing reacts to, so runs under Wine or on a desktop disturb nothing.
constexpr DWORD kF13 = 0x7C;
constexpr DWORD kF14 = 0x7D;
constexpr DWORD kF15 = 0x7E;

struct Event {
    WPARAM message;
    DWORD code; // keys: the virtual-key code
    DWORD thread;
    ULONG_PTR extra = 0;
    ULONGLONG time_ms = 0;
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
            Record(Event{wparam, record->vkCode, GetCurrentThreadId(), record->dwExtraInfo,
                         GetTickCount64()});
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
        auto* record = reinterpret_cast<MSLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && g_fixture != nullptr && (record->flags & LLMHF_INJECTED) &&
            wparam != WM_MOUSEMOVE)
            Record(Event{wparam, 0, GetCurrentThreadId(), record->dwExtraInfo, GetTickCount64()});
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
    // A reversed range, a range with a negative end and one with two run their passes and end
    // (a negative end counts as 0, never as the endless wait of D-1).
    StepList.LoadFromText(TEXT("A124 D5~1 A125 D-3~2 D-1~-1"));
    RunToEnd(4);
    EXPECT_EQ(events_.size(), 16u);
}

// Held keys, shortcuts and holds of their own. The modifiers are compared by their generic
// codes and key-downs and key-ups as such: a hook may see VK_LCONTROL for an injected
// VK_CONTROL, and a key pressed while Alt is down as WM_SYSKEYDOWN.
enum : WPARAM { kDown = 1, kUp = 2, kMouseDown = 3, kMouseUp = 4 };
struct Seen {
    WPARAM what;
    DWORD code; // keys: the generic virtual-key code; buttons: 1 left, 2 right, 3 middle
    ULONG_PTR extra;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    static const char* const kWhat[] = {"?", "down", "up", "button down", "button up"};
    const char* mark = s.extra == kReplayStopMark    ? " stop-marked"
                       : s.extra == kReplayInputMark ? ""
                                                     : " unmarked";
    return out << "{" << kWhat[s.what] << " " << s.code << mark << "}";
}

std::vector<Seen> Inputs(const std::vector<Event>& events) {
    std::vector<Seen> out;
    for (const auto& e : events) {
        DWORD code = e.code;
        if (code == VK_LSHIFT || code == VK_RSHIFT)
            code = VK_SHIFT;
        else if (code == VK_LCONTROL || code == VK_RCONTROL)
            code = VK_CONTROL;
        else if (code == VK_LMENU || code == VK_RMENU)
            code = VK_MENU;
        switch (e.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            out.push_back({kDown, code, e.extra});
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            out.push_back({kUp, code, e.extra});
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            out.push_back({kMouseDown,
                           e.message == WM_LBUTTONDOWN   ? 1u
                           : e.message == WM_RBUTTONDOWN ? 2u
                                                         : 3u,
                           e.extra});
            break;
        default:
            out.push_back({kMouseUp,
                           e.message == WM_LBUTTONUP   ? 1u
                           : e.message == WM_RBUTTONUP ? 2u
                                                       : 3u,
                           e.extra});
            break;
        }
    }
    return out;
}

constexpr ULONG_PTR kMark = kReplayStopMark;                        // a release a stop made
constexpr ULONG_PTR kIn = kReplayInputMark;                         // any other input of the run
constexpr DWORD kCtrlShiftAltF13 = 0x2000 | 0x8000 | 0x4000 | kF13; // 57468

TEST_F(ReplayHookThreadTest, AShortcutPressesCtrlShiftAltThenTheKeyAndReleasesInReverse) {
    StepList.LoadFromText(TEXT("A57468 A8317@120")); // Ctrl+Shift+Alt+F13, Ctrl+F14 held 120 ms
    RunToEnd(1);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, VK_CONTROL, kIn},
                                                  {kDown, VK_SHIFT, kIn},
                                                  {kDown, VK_MENU, kIn},
                                                  {kDown, kF13, kIn},
                                                  {kUp, kF13, kIn},
                                                  {kUp, VK_MENU, kIn},
                                                  {kUp, VK_SHIFT, kIn},
                                                  {kUp, VK_CONTROL, kIn},
                                                  {kDown, VK_CONTROL, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kUp, kF14, kIn},
                                                  {kUp, VK_CONTROL, kIn}}));
    static_assert(kCtrlShiftAltF13 == 57468);
    ASSERT_EQ(events_.size(), 12u);
    // The standard hold lies between the last down and the first up; the modifiers go down and
    // up at once around it. Generous bounds: the tick may step 16 ms at a time.
    EXPECT_GE(events_[4].time_ms - events_[3].time_ms, 50u - 16u);
    EXPECT_GE(events_[10].time_ms - events_[9].time_ms, 120u - 16u);
    EXPECT_LT(events_[10].time_ms - events_[9].time_ms, 3000u);
}

TEST_F(ReplayHookThreadTest, HoldsOfTheirOwnLastTheirTime) {
    StepList.LoadFromText(TEXT("A124@300 B3@200 A125@0"));
    RunToEnd(1);
    ASSERT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, kF13, kIn},
                                                  {kUp, kF13, kIn},
                                                  {kMouseDown, 3, kIn},
                                                  {kMouseUp, 3, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kUp, kF14, kIn}}));
    ULONGLONG key_hold = events_[1].time_ms - events_[0].time_ms;
    ULONGLONG button_hold = events_[3].time_ms - events_[2].time_ms;
    EXPECT_GE(key_hold, 300u - 16u);
    EXPECT_LT(key_hold, 3000u);
    EXPECT_GE(button_hold, 200u - 16u);
    EXPECT_LT(button_hold, 3000u);
    EXPECT_LT(events_[5].time_ms - events_[4].time_ms, 1000u);
}

TEST_F(ReplayHookThreadTest, HeldKeysAndButtonsStayDownUntilTheirReleaseStep) {
    StepList.LoadFromText(TEXT("A124+ B3+ A125 A124- B3- A126- B1-"));
    RunToEnd(1);
    // The last two were never held: their releases go out all the same.
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, kF13, kIn},
                                                  {kMouseDown, 3, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kUp, kF14, kIn},
                                                  {kUp, kF13, kIn},
                                                  {kMouseUp, 3, kIn},
                                                  {kUp, kF15, kIn},
                                                  {kMouseUp, 1, kIn}}));
}

TEST_F(ReplayHookThreadTest, WhatIsStillHeldWhenTheRunEndsIsReleasedLatestFirst) {
    // Two passes: the presses repeat, and the releases come once, at the very end.
    StepList.LoadFromText(TEXT("A124+ A8317+ B2+"));
    RunToEnd(2);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, kF13, kIn},
                                                  {kDown, VK_CONTROL, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kMouseDown, 2, kIn},
                                                  {kDown, kF13, kIn},
                                                  {kDown, VK_CONTROL, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kMouseDown, 2, kIn},
                                                  {kMouseUp, 2, kIn},
                                                  {kUp, kF14, kIn},
                                                  {kUp, VK_CONTROL, kIn},
                                                  {kUp, kF13, kIn}}));
}

TEST_F(ReplayHookThreadTest, AStopReleasesEverythingHeldWithTheMark) {
    StepList.LoadFromText(TEXT("A124+ A57469+ B2+ D60000 A126"));
    action_ = [](const Event& e) {
        if (e.message == WM_RBUTTONDOWN)
            StopReplay();
    };
    RunToEnd(1);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, kF13, kIn},
                                                  {kDown, VK_CONTROL, kIn},
                                                  {kDown, VK_SHIFT, kIn},
                                                  {kDown, VK_MENU, kIn},
                                                  {kDown, kF14, kIn},
                                                  {kMouseDown, 2, kIn},
                                                  {kMouseUp, 2, kMark},
                                                  {kUp, kF14, kMark},
                                                  {kUp, VK_MENU, kMark},
                                                  {kUp, VK_SHIFT, kMark},
                                                  {kUp, VK_CONTROL, kMark},
                                                  {kUp, kF13, kMark}}));
}

TEST_F(ReplayHookThreadTest, AStopDuringAShortcutsHoldReleasesKeyAndModifiersWithTheMark) {
    StepList.LoadFromText(TEXT("A24700@60000 A126")); // Ctrl+Alt+F13 (0x607C) held a minute
    action_ = [](const Event& e) {
        if ((e.message == WM_KEYDOWN || e.message == WM_SYSKEYDOWN) && e.code == kF13)
            StopReplay();
    };
    RunToEnd(1);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, VK_CONTROL, kIn},
                                                  {kDown, VK_MENU, kIn},
                                                  {kDown, kF13, kIn},
                                                  {kUp, kF13, kMark},
                                                  {kUp, VK_MENU, kMark},
                                                  {kUp, VK_CONTROL, kMark}}));
}

TEST_F(ReplayHookThreadTest, AStopBetweenAShortcutsDownsPressesNothingMore) {
    StepList.LoadFromText(TEXT("A57468"));
    action_ = [](const Event& e) {
        if (e.message == WM_KEYDOWN && (e.code == VK_SHIFT || e.code == VK_LSHIFT))
            StopReplay();
    };
    RunToEnd(1);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, VK_CONTROL, kIn},
                                                  {kDown, VK_SHIFT, kIn},
                                                  {kUp, VK_SHIFT, kMark},
                                                  {kUp, VK_CONTROL, kMark}}));
}

// A shortcut tapped while "+" steps hold some of its modifiers presses and releases only the
// others: the held ones stay down for the steps after it, as the list says. The key state at
// each key-down of F14 shows what a program receiving it sees.
TEST_F(ReplayHookThreadTest, AShortcutInsideAHeldModifierLeavesItDown) {
    struct Case {
        const WCHAR* steps;
        std::vector<Seen> expected;
        bool shift_at_f14; // whether Shift is down when F14 goes down
    };
    const Case cases[] = {
        {TEXT("A16+ A32892 A125 A16-"), // Shift held; Shift+F13; F14; Shift let go
         {{kDown, VK_SHIFT, kIn},
          {kDown, kF13, kIn},
          {kUp, kF13, kIn},
          {kDown, kF14, kIn},
          {kUp, kF14, kIn},
          {kUp, VK_SHIFT, kIn}},
         true},
        {TEXT("A160+ A32892 A125 A160-"), // the left Shift held counts as Shift
         {{kDown, VK_SHIFT, kIn},
          {kDown, kF13, kIn},
          {kUp, kF13, kIn},
          {kDown, kF14, kIn},
          {kUp, kF14, kIn},
          {kUp, VK_SHIFT, kIn}},
         true},
        {TEXT("A17+ A57468 A125 A17-"), // Ctrl held; Ctrl+Shift+Alt+F13 adds Shift and Alt
         {{kDown, VK_CONTROL, kIn},
          {kDown, VK_SHIFT, kIn},
          {kDown, VK_MENU, kIn},
          {kDown, kF13, kIn},
          {kUp, kF13, kIn},
          {kUp, VK_MENU, kIn},
          {kUp, VK_SHIFT, kIn},
          {kDown, kF14, kIn},
          {kUp, kF14, kIn},
          {kUp, VK_CONTROL, kIn}},
         false},
        {TEXT("A16+ A32892 A16- A32893"), // after the release, a shortcut presses Shift again
         {{kDown, VK_SHIFT, kIn},
          {kDown, kF13, kIn},
          {kUp, kF13, kIn},
          {kUp, VK_SHIFT, kIn},
          {kDown, VK_SHIFT, kIn},
          {kDown, kF14, kIn},
          {kUp, kF14, kIn},
          {kUp, VK_SHIFT, kIn}},
         true},
    };
    for (const Case& c : cases) {
        events_.clear();
        std::vector<bool> shift_at_f14;
        action_ = [&shift_at_f14](const Event& e) {
            if ((e.message == WM_KEYDOWN || e.message == WM_SYSKEYDOWN) && e.code == kF14)
                shift_at_f14.push_back(GetAsyncKeyState(VK_SHIFT) < 0);
        };
        StepList.LoadFromText(c.steps);
        RunToEnd(1);
        action_ = nullptr;
        EXPECT_EQ(Inputs(events_), c.expected) << Narrow(WString(c.steps));
        EXPECT_EQ(shift_at_f14, std::vector<bool>{c.shift_at_f14}) << Narrow(WString(c.steps));
        EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0) << "Shift left down after the run";
    }
}

TEST_F(ReplayHookThreadTest, CodesNearTheNewFormsReplayAsTheyAlwaysDid) {
    // A Ctrl+F13 code with a trailing letter, a hold on a code with a bit that is no modifier,
    // and a button with a trailing letter: plain taps and a click, no modifier, no hold kept.
    StepList.LoadFromText(TEXT("A8316x A380+ B2x A124@x"));
    RunToEnd(1);
    EXPECT_EQ(Inputs(events_), (std::vector<Seen>{{kDown, kF13, kIn},
                                                  {kUp, kF13, kIn},
                                                  {kDown, kF13, kIn},
                                                  {kUp, kF13, kIn},
                                                  {kMouseDown, 2, kIn},
                                                  {kMouseUp, 2, kIn},
                                                  {kDown, kF13, kIn},
                                                  {kUp, kF13, kIn}}));
}

} // namespace
