// The global hook object on both backends: injected keys and buttons fire its bindings with
// their arguments, a destroyed or replaced object stops firing, the replay engine's releases
// after a stop arrive marked, a close during a replay can wait on the hook thread, and an input
// sink gets every event with its details.
//
// Input is injected from a helper thread while the test thread (the hook thread) handles
// messages, as the replay worker injects while the message loop runs.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "app/input/global_hook.h"
#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_folder.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_input.h"
#endif

namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

// Keys that nothing reacts to, so runs under Wine disturb nothing.
constexpr DWORD kF13 = 0x7C;
constexpr DWORD kF14 = 0x7D;

enum Kind { KeyReleased, KeyPressed, ButtonReleased, ButtonPressed };

struct Fired {
    Kind kind;
    int64_t code;
    int64_t marked;
    bool operator==(const Fired&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fired& f) {
    static const char* const kNames[] = {"KeyReleased", "KeyPressed", "ButtonReleased",
                                         "ButtonPressed"};
    return out << "{" << kNames[f.kind] << " " << f.code << " marked " << f.marked << "}";
}

// What the bindings saw, on the test thread only; the action runs inside the hook.
std::vector<Fired> g_fired;
std::function<void(const Fired&)> g_action;

// Records one event; the user value is its kind. Real keys and buttons of someone at the
// machine are not expected on the test display, but the recording keeps to the keys and
// buttons that the tests inject.
int64_t Record(CRixObject*, CRixObject* sender, int32_t user, int64_t code, int64_t marked,
               int64_t) {
    EXPECT_EQ(sender, rg_qj_gzl__n::Current());
    Kind kind = static_cast<Kind>(user);
    bool key = kind == KeyReleased || kind == KeyPressed;
    if (key && code != kF13 && code != kF14 && code != VK_MENU && code != VK_LMENU &&
        code != VK_F1 && code != VK_F10)
        return 0;
    if (code == VK_LMENU)
        code = VK_MENU; // the system may name the left Alt key for the generic one
    Fired fired{kind, code, marked};
    g_fired.push_back(fired);
    if (g_action)
        g_action(fired);
    return 0;
}

void BindAll(rg_qj_gzl__n& hook, CRixObjectPointer* target) {
    hook.KeyReleased().Bind(Record, target, KeyReleased);
    hook.KeyPressed().Bind(Record, target, KeyPressed);
    hook.ButtonReleased().Bind(Record, target, ButtonReleased);
    hook.ButtonPressed().Bind(Record, target, ButtonPressed);
}

INPUT Key(DWORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT Mouse(DWORD flags, DWORD data = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    return in;
}

DWORD WINAPI InjectProc(LPVOID parameter) {
    for (INPUT& in : *static_cast<std::vector<INPUT>*>(parameter))
        SendInput(1, &in, sizeof(INPUT));
    return 0;
}

// Injects the records one by one from a helper thread, handling messages until it has ended
// and a little longer, so that every event has reached the hooks of this thread.
::testing::AssertionResult Inject(std::vector<INPUT> inputs) {
    HANDLE thread = CreateThread(nullptr, 0, InjectProc, &inputs, 0, nullptr);
    if (thread == nullptr)
        return ::testing::AssertionFailure() << "no thread";
    bool ended = PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000);
    PumpFor(20);
    if (!ended)
        WaitForSingleObject(thread, INFINITE); // it holds `inputs`
    CloseHandle(thread);
    return ended ? ::testing::AssertionSuccess()
                 : ::testing::AssertionFailure() << "the injection did not end";
}

class GlobalHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_fired.clear();
        g_action = nullptr;
        StepList.Clear();
    }
    void TearDown() override {
        StopReplayAndWait(10000);
        StepList.Clear();
        g_action = nullptr;
        target_->DetachOwner();
    }

    CRixObject owner_;
    CRixObjectPointer* target_ = new CRixObjectPointer(&owner_);
};

using FiredList = std::vector<Fired>;

TEST_F(GlobalHookTest, InjectedKeysAndButtonsFireTheirBindings) {
    rg_qj_gzl__n hook;
    ASSERT_TRUE(rg_qj_gzl__n::IsInstalled());
    EXPECT_EQ(rg_qj_gzl__n::Current(), &hook);
    BindAll(hook, target_);
    ASSERT_TRUE(
        Inject({Key(kF13, false), Key(kF13, false), Key(kF13, true), Mouse(MOUSEEVENTF_LEFTDOWN),
                Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP),
                Mouse(MOUSEEVENTF_MIDDLEDOWN), Mouse(MOUSEEVENTF_MIDDLEUP), Mouse(MOUSEEVENTF_MOVE),
                Mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA)}));
    // The repeated press is a second press; moves and the wheel fire nothing.
    EXPECT_EQ(g_fired, (FiredList{{KeyPressed, kF13, 0},
                                  {KeyPressed, kF13, 0},
                                  {KeyReleased, kF13, 0},
                                  {ButtonPressed, 1, 0},
                                  {ButtonReleased, 1, 0},
                                  {ButtonPressed, 2, 0},
                                  {ButtonReleased, 2, 0},
                                  {ButtonPressed, 3, 0},
                                  {ButtonReleased, 3, 0}}));
}

TEST_F(GlobalHookTest, AKeyReleasedWithAltHeldIsNoRelease) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    ASSERT_TRUE(
        Inject({Key(VK_MENU, false), Key(VK_F1, false), Key(VK_F1, true), Key(VK_MENU, true)}));
    // F1 goes up as a system key: the trigger handler never hears of it. Alt itself, released
    // after another key, is an ordinary key-up.
    EXPECT_EQ(
        g_fired,
        (FiredList{{KeyPressed, VK_MENU, 0}, {KeyPressed, VK_F1, 0}, {KeyReleased, VK_MENU, 0}}));
}

// F10 is a system key by itself: it goes up as WM_SYSKEYUP, without the Alt flag, and that is
// an ordinary release (F10 may be the trigger). With Alt held it is no release.
TEST_F(GlobalHookTest, F10ReleasedWithoutAltIsARelease) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    ASSERT_TRUE(Inject({Key(VK_F10, false), Key(VK_F10, true), Key(VK_MENU, false),
                        Key(VK_F10, false), Key(VK_F10, true), Key(VK_MENU, true)}));
    EXPECT_EQ(g_fired, (FiredList{{KeyPressed, VK_F10, 0},
                                  {KeyReleased, VK_F10, 0},
                                  {KeyPressed, VK_MENU, 0},
                                  {KeyPressed, VK_F10, 0},
                                  {KeyReleased, VK_MENU, 0}}));
}

// A run that holds Alt makes every key go up as a system key; those releases still count, so
// that the trigger stops the run. Only an Alt that someone else holds (here the test's own
// injection, which carries no mark of the replay) makes a release part of an Alt shortcut.
TEST_F(GlobalHookTest, AKeyReleasedWhileOnlyARunHoldsAltIsARelease) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    for (const WCHAR* steps : {TEXT("A18+ D-1"), TEXT("A16508@60000"), TEXT("A164+ D-1")}) {
        g_fired.clear();
        StepList.LoadFromText(steps);
        StartReplay(1);
        ASSERT_TRUE(PumpUntil([] { return GetAsyncKeyState(VK_MENU) < 0; }, 10000))
            << "the run never held Alt: " << Narrow(WString(steps));
        PumpFor(20);
        g_fired.clear();
        ASSERT_TRUE(Inject({Key(kF13, false), Key(kF13, true)}));
        // The user's Alt on top of the run's: now F13 is part of an Alt shortcut.
        ASSERT_TRUE(
            Inject({Key(VK_MENU, false), Key(kF13, false), Key(kF13, true), Key(VK_MENU, true)}));
        EXPECT_EQ(g_fired, (FiredList{{KeyPressed, kF13, 0},
                                      {KeyReleased, kF13, 0},
                                      {KeyPressed, VK_MENU, 0},
                                      {KeyPressed, kF13, 0},
                                      {KeyReleased, VK_MENU, 0}}))
            << Narrow(WString(steps));
        StopReplay();
        ASSERT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }, 10000));
        PumpFor(20);
        EXPECT_GE(GetAsyncKeyState(VK_MENU), 0) << "Alt left down: " << Narrow(WString(steps));
    }
}

TEST_F(GlobalHookTest, ADestroyedHookObjectFiresNothingAndReleasesItsTargets) {
    {
        rg_qj_gzl__n hook;
        BindAll(hook, target_);
        EXPECT_EQ(target_->RefCount(), 5);
    }
    EXPECT_EQ(target_->RefCount(), 1);
    EXPECT_EQ(rg_qj_gzl__n::Current(), nullptr);
    EXPECT_FALSE(rg_qj_gzl__n::IsInstalled());
    ASSERT_TRUE(Inject({Key(kF13, false), Key(kF13, true), Mouse(MOUSEEVENTF_MIDDLEDOWN),
                        Mouse(MOUSEEVENTF_MIDDLEUP)}));
    EXPECT_TRUE(g_fired.empty());
}

TEST_F(GlobalHookTest, ACopyTakesOverWithoutASecondPairOfHooks) {
    auto* first = new rg_qj_gzl__n;
    BindAll(*first, target_);
    CRixObject* copy = first->Clone();
    auto* second = dynamic_cast<rg_qj_gzl__n*>(copy);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(rg_qj_gzl__n::Current(), second);
    EXPECT_FALSE(second->KeyReleased().IsBound()) << "bindings are never copied";
    BindAll(*second, target_);

    // One event fires once: the procedure is installed once, for the current object.
    ASSERT_TRUE(Inject({Key(kF13, true)}));
    EXPECT_EQ(g_fired, (FiredList{{KeyReleased, kF13, 0}}));

    // The replaced object leaves the hooks to its successor.
    DeleteThis(first);
    EXPECT_TRUE(rg_qj_gzl__n::IsInstalled());
    ASSERT_TRUE(Inject({Key(kF14, true)}));
    EXPECT_EQ(g_fired, (FiredList{{KeyReleased, kF13, 0}, {KeyReleased, kF14, 0}}));

    DeleteThis(second);
    EXPECT_FALSE(rg_qj_gzl__n::IsInstalled());
    EXPECT_EQ(target_->RefCount(), 1);
}

// A run whose hold is stopped from inside the hook, at the press, as the trigger handler
// stops a run: the release that the stop causes is marked, and only that one.
TEST_F(GlobalHookTest, TheReleaseSentBecauseOfAStopIsMarked) {
    struct Case {
        const WCHAR* steps;
        Kind press;
        int64_t code;
        bool stop;
        FiredList expected;
    };
    const Case cases[] = {
        {TEXT("A124 D60000 A125"),
         KeyPressed,
         kF13,
         true,
         {{KeyPressed, kF13, 3}, {KeyReleased, kF13, 1}}},
        {TEXT("B3 A125"), ButtonPressed, 3, true, {{ButtonPressed, 3, 3}, {ButtonReleased, 3, 1}}},
        {TEXT("A124 B1"),
         KeyPressed,
         kF13,
         false,
         {{KeyPressed, kF13, 3},
          {KeyReleased, kF13, 3},
          {ButtonPressed, 1, 3},
          {ButtonReleased, 1, 3}}},
    };
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    for (const Case& c : cases) {
        g_fired.clear();
        g_action = [&c](const Fired& f) {
            if (c.stop && f.kind == c.press && f.code == c.code)
                StopReplay();
        };
        StepList.LoadFromText(c.steps);
        StartReplay(1);
        ASSERT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }, 10000));
        PumpFor(20);
        EXPECT_EQ(g_fired, c.expected) << Narrow(WString(c.steps));
    }
}

TEST_F(GlobalHookTest, AStoppedRunOverAnEmptyListEndsAtOnceWhateverItsCount) {
    StartReplay(INT_MAX);
    StopReplay();
    // Two thousand million empty passes would take a minute or more; the bound is only a
    // sanity one.
    EXPECT_TRUE(WaitForReplayWorker(10000));
}

// Closing during a replay: the close runs on the hook thread while the worker waits for that
// very thread to answer its key-down. The wait must handle the hook calls, let the worker send
// its (marked) release and end.
TEST_F(GlobalHookTest, StoppingAndWaitingOnTheHookThreadDoesNotHang) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    bool waiting = false;
    std::vector<bool> fired_while_waiting;
    g_action = [&](const Fired&) { fired_while_waiting.push_back(waiting); };
    StepList.LoadFromText(TEXT("A124 D60000 A125"));
    StartReplay(1);
    // Without handling messages: the worker's key-down waits for this thread's hook.
    ULONGLONG start = GetTickCount64();
    while ((HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) == 0 &&
           GetTickCount64() - start < 5000)
        Sleep(1);
    ASSERT_NE(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE, 0u)
        << "the worker's key-down never waited for this thread";
    waiting = true;
    EXPECT_TRUE(StopReplayAndWait(10000));
    waiting = false;
    EXPECT_FALSE(IsReplayRunning());
    EXPECT_TRUE(WaitForReplayWorker(0));
    EXPECT_EQ(g_fired, (FiredList{{KeyPressed, kF13, 3}, {KeyReleased, kF13, 1}}));
    EXPECT_EQ(fired_while_waiting, (std::vector<bool>{true, true}));
}

TEST_F(GlobalHookTest, ARunStartedByAHandlerDuringTheWaitIsStoppedToo) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    // A handler that starts the scheme again at a release, as a trigger handler that took the
    // stop's release for the user's key would; the wait must stop that run as well.
    int started = 0;
    g_action = [&started](const Fired& f) {
        if (f.kind == KeyReleased && f.code == kF13 && !IsReplayRunning() && started == 0) {
            ++started;
            StartReplay(1);
        }
    };
    StepList.LoadFromText(TEXT("A124 D60000"));
    StartReplay(1);
    ASSERT_TRUE(PumpUntil([] { return !g_fired.empty(); }, 10000));
    EXPECT_TRUE(StopReplayAndWait(10000));
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(IsReplayRunning());
    EXPECT_TRUE(WaitForReplayWorker(0));
}

// Keeps what the sink got of the keys and buttons the tests inject and of every move.
struct SinkLog final : rg_lch_qmlt_ymk_lumeOak::IHookInputSink {
    std::vector<InputEvent> events;
    void OnHookInput(const InputEvent& event) override {
        bool key = event.kind == InputKind::KeyDown || event.kind == InputKind::KeyUp;
        if (key && event.code != kF13 && event.code != VK_MENU && event.code != VK_LMENU)
            return;
        events.push_back(event);
    }
};

int64_t CounterNow() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

TEST_F(GlobalHookTest, AnInputSinkGetsEveryEventWithItsPointFlagAndTime) {
    rg_qj_gzl__n hook;
    BindAll(hook, target_);
    SinkLog sink;
    hook.SetInputSink(&sink);
    ASSERT_TRUE(SetCursorPos(40, 50));
    PumpFor(20);
    sink.events.clear();
    int64_t before = CounterNow();
    // F13 released with Alt held is a system key: the bindings hear nothing of it, the sink
    // does.
    ASSERT_TRUE(Inject({Key(kF13, false), Key(VK_MENU, false), Key(kF13, true), Key(VK_MENU, true),
                        Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP),
                        Mouse(MOUSEEVENTF_MIDDLEDOWN), Mouse(MOUSEEVENTF_MIDDLEUP),
                        Mouse(MOUSEEVENTF_MOVE), Mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA)}));
    int64_t after = CounterNow();
    hook.SetInputSink(nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);

    std::vector<InputEvent>& got = sink.events;
    ASSERT_EQ(got.size(), 9u);
    struct Expected {
        InputKind kind;
        int32_t code;
    };
    const Expected expected[] = {
        {InputKind::KeyDown, kF13},  {InputKind::KeyDown, VK_MENU}, {InputKind::KeyUp, kF13},
        {InputKind::KeyUp, VK_MENU}, {InputKind::ButtonDown, 1},    {InputKind::ButtonUp, 1},
        {InputKind::ButtonDown, 3},  {InputKind::ButtonUp, 3},      {InputKind::Move, 0}};
    int64_t last = before;
    for (size_t i = 0; i < got.size(); ++i) {
        int32_t code = got[i].code == VK_LMENU ? VK_MENU : got[i].code;
        EXPECT_EQ(got[i].kind, expected[i].kind) << i;
        EXPECT_EQ(code, expected[i].code) << i;
        EXPECT_TRUE(got[i].injected) << i;
        // The counter at the hook call: in order, within the injection.
        EXPECT_GE(got[i].time, last) << i;
        EXPECT_LE(got[i].time, after) << i;
        last = got[i].time;
    }
    for (size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(got[i].x, 40) << i;
        EXPECT_EQ(got[i].y, 50) << i;
    }
    // Where the move went is the system's business (acceleration); the hook reports it.
    EXPECT_EQ(got[8].x, cursor.x);
    EXPECT_EQ(got[8].y, cursor.y);
    // The bindings still fired as ever.
    EXPECT_EQ(g_fired, (FiredList{{KeyPressed, kF13, 0},
                                  {KeyPressed, VK_MENU, 0},
                                  {KeyReleased, VK_MENU, 0},
                                  {ButtonPressed, 1, 0},
                                  {ButtonReleased, 1, 0},
                                  {ButtonPressed, 3, 0},
                                  {ButtonReleased, 3, 0}}));
}

#if defined(KEYSEQ_PLATFORM_SIM)
TEST_F(GlobalHookTest, DeviceInputReachesTheSinkAsNotInjected) {
    rg_qj_gzl__n hook;
    SinkLog sink;
    hook.SetInputSink(&sink);
    sim::PressKey(kF13);
    sim::ReleaseKey(kF13);
    sim::MoveMouseTo(7, 8);
    sim::PressButton(2);
    sim::ReleaseButton(2);
    PumpFor(20);
    hook.SetInputSink(nullptr);
    ASSERT_EQ(sink.events.size(), 5u);
    for (const InputEvent& e : sink.events)
        EXPECT_FALSE(e.injected);
    EXPECT_EQ(sink.events[2].kind, InputKind::Move);
    EXPECT_EQ(sink.events[3].kind, InputKind::ButtonDown);
    EXPECT_EQ(sink.events[3].code, 2);
    EXPECT_EQ(sink.events[3].x, 7);
    EXPECT_EQ(sink.events[3].y, 8);
}
#else
// Declared with the fixture, as the host declares it, and skipped.
TEST_F(GlobalHookTest, DeviceInputReachesTheSinkAsNotInjected) {
    GTEST_SKIP() << "only the simulation's test interface makes input that is not injected; "
                    "tests/e2e/recorder.sh types with xdotool under Wine";
}
#endif

} // namespace
