// The replay worker and the start and stop requests.
#include "app/replay/replay_engine.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "app/replay/extended_key.h"
#include "app/replay/held_inputs.h"
#include "app/replay/replay_schedule.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
#include "runtime/core/int64_text.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/deadline_wait.h"
#include "runtime/shell/debug_trace.h"
#include "runtime/ui/key_names.h"

namespace {

// One run: its pass count, its own stop request and an id that tells it from later runs.
// Shared between the user-interface side and the run's worker; the fields are set before
// the worker starts and never change, but for the pass (an atomic); the event is the only
// thing signalled.
struct ReplayRun {
    uint64_t id = 0;
    int32_t count = 0;
    uint32_t catch_up_ms = CReplaySchedule::kCatchUpLimitMs;
    HANDLE stop = nullptr; // manual-reset: once stopped, every later wait sees it at once
    // The pass under way, 1 for the first, 0 before it. The one field that changes: written
    // by the worker as each pass begins, read by the user-interface thread (GetReplayProgress).
    std::atomic<int32_t> pass{0};

    ~ReplayRun() {
        if (stop != nullptr)
            CloseHandle(stop);
    }
    bool Stopped() const { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }
};

// The id of the run that counts as running, 0 for none. Written by StartReplay and
// StopReplay on the user-interface thread and by a worker that ends on its own (only if its
// run is still the current one); read by anyone.
std::atomic<uint64_t> g_running{0};

// A worker thread and the run it is given. The thread starts before its run is known, pays
// what a thread's first input calls cost (under Wine its own connection to the display, some
// 15 ms, at the first key's scan code or the first cursor call), and waits for the event: a
// run then starts on a thread that is ready, as soon as the trigger asks.
struct WorkerSeat {
    HANDLE go = nullptr; // manual-reset: set once the run is given, or the worker dismissed
    // Written by the user-interface thread before it sets the event, read by the worker after
    // it; null when the worker is dismissed without a run.
    std::shared_ptr<ReplayRun> run;

    ~WorkerSeat() {
        if (go != nullptr)
            CloseHandle(go);
    }
};

struct Standby {
    std::shared_ptr<WorkerSeat> seat;
    HANDLE thread = nullptr;
};

// User-interface thread only: the current run, the handles of the workers that may not have
// ended yet (the current one and stopped ones still winding down), the worker ready for the
// next run and the next run id.
std::shared_ptr<ReplayRun> g_current;
std::vector<HANDLE> g_workers;
Standby g_standby;
uint64_t g_next_id = 1;
// The catch-up limit of runs started from now on (SetReplayCatchUpLimit).
std::atomic<uint32_t> g_catch_up_ms{CReplaySchedule::kCatchUpLimitMs};

// Closes the handles of the workers that have ended.
void ForgetEndedWorkers() {
    std::erase_if(g_workers, [](HANDLE worker) {
        if (WaitForSingleObject(worker, 0) != WAIT_OBJECT_0)
            return false;
        CloseHandle(worker);
        return true;
    });
}

// A mouse record as the engine sends it: one button flag and the extra information.
void SendButton(DWORD flag, ULONG_PTR extra) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    input.mi.dwExtraInfo = extra;
    SendInput(1, &input, sizeof(INPUT));
}

// One key event as the engine sends it: the key's scan code, and the extended-key flag for
// the keys that a keyboard sends with it.
void SendKey(BYTE k, bool up, ULONG_PTR extra) {
    const KeyScan key = KeyScanCode(k);
    const DWORD extended = key.extended ? KEYEVENTF_EXTENDEDKEY : 0;
    keybd_event(k, key.scan, extended | (up ? KEYEVENTF_KEYUP : 0), extra);
}

// The down or up event of a held key or button.
void SendInputEvent(HeldInput input, bool up, ULONG_PTR extra) {
    static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN,
                                      MOUSEEVENTF_MIDDLEDOWN};
    static constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
    if (input.button)
        SendButton((up ? kUp : kDown)[input.code - 1], extra);
    else
        SendKey(input.code, up, extra);
}

// The inputs of a key or button step in the order they go down: for a shortcut its modifiers
// Ctrl, Shift and Alt, then the key. Empty for a button other than 1 to 3.
struct StepInputs {
    HeldInput inputs[4];
    int count = 0;
    int modifiers = 0; // how many of the first inputs are a shortcut's modifiers
};

StepInputs InputsOf(WCHAR kind, const StepValues& values) {
    StepInputs s;
    if (kind == TEXT('B')) {
        if (values.value >= 1 && values.value <= 3)
            s.inputs[s.count++] = HeldInput{true, static_cast<uint8_t>(values.value)};
        return s;
    }
    static constexpr struct {
        uint32_t bit;
        uint8_t key;
    } kModifiers[] = {{kKeyCtrl, VK_CONTROL}, {kKeyShift, VK_SHIFT}, {kKeyAlt, VK_MENU}};
    for (const auto& m : kModifiers) {
        if (values.modifiers & m.bit)
            s.inputs[s.count++] = HeldInput{false, m.key};
    }
    s.modifiers = s.count;
    s.inputs[s.count++] = HeldInput{false, static_cast<uint8_t>(values.value & 0xFF)};
    return s;
}

// Whether a "+" step of the run holds a modifier, by its generic key or by either side's
// (A16+, A160+ and A161+ all hold Shift down).
bool HoldsModifier(const HeldInputs& held, uint8_t generic) {
    static constexpr struct {
        uint8_t generic, left, right;
    } kSides[] = {{VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
                  {VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
                  {VK_MENU, VK_LMENU, VK_RMENU}};
    for (const auto& m : kSides) {
        if (m.generic == generic)
            return held.Holds({false, m.generic}) || held.Holds({false, m.left}) ||
                   held.Holds({false, m.right});
    }
    return false;
}

// A shortcut tapped while the run holds some of its modifiers: those are down already and
// must stay down after it, so the tap neither presses nor releases them.
StepInputs WithoutHeldModifiers(const StepInputs& s, const HeldInputs& held) {
    StepInputs left;
    for (int i = 0; i < s.count; ++i) {
        const bool modifier = i < s.modifiers;
        if (modifier && HoldsModifier(held, s.inputs[i].code))
            continue;
        left.inputs[left.count++] = s.inputs[i];
        if (modifier)
            ++left.modifiers;
    }
    return left;
}

// The extra information of the release that ends a hold: the stop mark when the hold was cut
// short, and also when the stop came just after it ended, so that no release of a stopped run
// can pass for the user's key.
ULONG_PTR ReleaseMark(bool stopped, const ReplayRun& run) {
    return stopped || run.Stopped() ? kReplayStopMark : kReplayInputMark;
}

// The waits of one run: its timetable on the performance counter, the timer that waits for
// it, and the source of the lengths of delay ranges. The worker's own: made while it waits
// for its run, and the timetable started when the run is given.
struct RunClock {
    RunClock() : schedule(0, CDeadlineWait::Frequency()) {
        std::random_device device;
        std::seed_seq seed{device(), static_cast<unsigned>(CDeadlineWait::Now())};
        random.seed(seed);
    }
    void Start(uint32_t catch_up_ms) {
        schedule = CReplaySchedule(CDeadlineWait::Now(), CDeadlineWait::Frequency(), catch_up_ms);
    }
    CReplaySchedule schedule;
    CDeadlineWait timer;
    std::mt19937 random;
};

// Waits out a step of ms milliseconds on the run's timetable, or less when the run is
// stopped; true when stopped.
bool Wait(RunClock& wait, const ReplayRun& run, uint32_t ms) {
    return wait.timer.WaitUntil(wait.schedule.Next(CDeadlineWait::Now(), ms), run.stop);
}

LONG ClampToLong(int64_t v) {
    return static_cast<LONG>(
        std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

// Down, the hold, and up in reverse order. Released even when stopped: a key left down would
// corrupt what the user types next; marked then, so that the trigger handler does not take it
// for the user's key. A stop between two downs presses nothing more.
bool TapInputs(const StepInputs& s, uint32_t hold_ms, const ReplayRun& run, RunClock& wait) {
    bool stopped = false;
    int pressed = 0;
    for (; pressed < s.count; ++pressed) {
        if (pressed > 0 && run.Stopped()) {
            stopped = true;
            break;
        }
        SendInputEvent(s.inputs[pressed], false, kReplayInputMark);
    }
    if (!stopped)
        stopped = Wait(wait, run, hold_ms);
    while (pressed > 0)
        SendInputEvent(s.inputs[--pressed], true, ReleaseMark(stopped, run));
    return !stopped;
}

// A "+" step: down in order, each noted as held until a "-" step or the end of the run.
bool PressInputs(const StepInputs& s, const ReplayRun& run, HeldInputs& held) {
    for (int i = 0; i < s.count; ++i) {
        if (i > 0 && run.Stopped())
            return false;
        SendInputEvent(s.inputs[i], false, kReplayInputMark);
        held.Add(s.inputs[i]);
    }
    return true;
}

// A "-" step: up in reverse order, whether held or not (so that a scheme can undo a stuck key).
void ReleaseInputs(const StepInputs& s, const ReplayRun& run, HeldInputs& held) {
    for (int i = s.count - 1; i >= 0; --i) {
        SendInputEvent(s.inputs[i], true, ReleaseMark(false, run));
        held.Remove(s.inputs[i]);
    }
}

bool PerformInputStep(const StepInputs& s, const StepValues& values, const ReplayRun& run,
                      RunClock& wait, HeldInputs& held) {
    if (s.count == 0)
        return true;
    switch (values.action) {
    case StepAction::kPress:
        return PressInputs(s, run, held);
    case StepAction::kRelease:
        ReleaseInputs(s, run, held);
        return true;
    case StepAction::kTap:
        break;
    }
    return TapInputs(WithoutHeldModifiers(s, held), values.hold_ms.value_or(kReplayHoldMs), run,
                     wait);
}

// At the end of a run, stopped or not: up goes every key and button still held, the latest
// pressed first; marked when the run was stopped.
void ReleaseHeld(HeldInputs& held, bool stopped, const ReplayRun& run) {
    for (HeldInput input : held.TakeAll())
        SendInputEvent(input, true, ReleaseMark(stopped, run));
}

// Performs one step; false when the run was stopped during it.
bool PerformStep(WCHAR kind, const StepValues& values, const ReplayRun& run, RunClock& wait,
                 HeldInputs& held) {
    switch (kind) {
    case TEXT('A'):
    case TEXT('B'):
        return PerformInputStep(InputsOf(kind, values), values, run, wait, held);
    case TEXT('C'): {
        POINT p{};
        GetCursorPos(&p);
        // In 64 bits: an offset as large as the code allows must not overflow the sum.
        SetCursorPos(ClampToLong(int64_t{p.x} + values.x), ClampToLong(int64_t{p.y} + values.y));
        return true;
    }
    case TEXT('D'):
        // Unsigned: D-1 waits 0xFFFFFFFF ms, that is, until the run is stopped.
        return !Wait(wait, run, DrawDelayMs(values.delay, wait.random));
    case TEXT('E'):
        SetCursorPos(values.x, values.y);
        return true;
    default:
        return true;
    }
}

// The calls whose first use on a thread costs what a run must not pay at its start. They
// inject nothing.
void PrepareInputCalls() {
    POINT p;
    GetCursorPos(&p);
    KeyScanCode(VK_F12);
}

void PerformRun(ReplayRun& run, RunClock& wait) {
    wait.Start(run.catch_up_ms);
    StepValues values;
    HeldInputs held;
    bool stopped = false;
    for (int32_t pass = 0; pass < run.count && !stopped; ++pass) {
        // Checked once per pass too: over an empty list no step would look, and a stopped run
        // would spin through the rest of its passes.
        if (run.Stopped())
            break;
        run.pass.store(pass + 1);
        CWString code;
        for (int64_t j = 0; StepList.FetchStep(j, code); ++j) {
            if (run.Stopped()) {
                stopped = true;
                break;
            }
            WCHAR digits[kInt64TextUnits];
            CWString trace(TEXT("进入循环 计次"));
            trace.Append(Int64ToText(j, digits));
            DebugTrace(trace.GetText());
            WCHAR kind = ParseStep(code, values);
            if (!PerformStep(kind, values, run, wait, held)) {
                stopped = true;
                break;
            }
        }
    }
    // Before the running flag is cleared: a held trigger key let go now stops this run, where
    // after it would start the next.
    ReleaseHeld(held, stopped, run);
    uint64_t mine = run.id;
    g_running.compare_exchange_strong(mine, 0);
}

DWORD WINAPI ReplayWorker(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<WorkerSeat>> holder(
        static_cast<std::shared_ptr<WorkerSeat>*>(parameter));
    WorkerSeat& seat = **holder;
    RunClock wait;
    PrepareInputCalls();
    WaitForSingleObject(seat.go, INFINITE);
    if (seat.run != nullptr)
        PerformRun(*seat.run, wait);
    return 0;
}

// Ends the waiting worker, if any, without a run; it is waited for as any other.
void DismissStandby() {
    if (g_standby.thread == nullptr)
        return;
    SetEvent(g_standby.seat->go);
    g_workers.push_back(g_standby.thread);
    g_standby = Standby{};
}

} // namespace

void PrepareReplay() {
    if (g_standby.thread != nullptr)
        return;
    auto seat = std::make_shared<WorkerSeat>();
    seat->go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (seat->go == nullptr)
        return;
    auto* parameter = new std::shared_ptr<WorkerSeat>(seat);
    HANDLE thread = CreateThread(nullptr, 0, ReplayWorker, parameter, 0, nullptr);
    if (thread == nullptr) {
        delete parameter;
        return;
    }
    g_standby = Standby{seat, thread};
}

void StartReplay(int32_t count) {
    if (g_current != nullptr)
        StopReplay();
    auto run = std::make_shared<ReplayRun>();
    run->id = g_next_id++;
    run->count = count;
    run->catch_up_ms = g_catch_up_ms.load();
    run->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (run->stop == nullptr)
        return;
    PrepareReplay(); // the first run, or one whose worker could not be made earlier
    if (g_standby.thread == nullptr)
        return;
    Standby worker = std::exchange(g_standby, Standby{});
    g_current = run;
    g_running.store(run->id);
    worker.seat->run = run;
    SetEvent(worker.seat->go);
    ForgetEndedWorkers();
    g_workers.push_back(worker.thread);
    // The next run's worker gets ready while this one runs.
    PrepareReplay();
}

void StopReplay() {
    g_running.store(0);
    if (g_current != nullptr) {
        SetEvent(g_current->stop);
        g_current.reset();
    }
}

bool IsReplayRunning() {
    return g_running.load() != 0;
}

bool GetReplayProgress(int32_t& pass, int32_t& count) {
    if (g_current == nullptr || g_running.load() != g_current->id)
        return false;
    pass = g_current->pass.load();
    count = g_current->count;
    return pass > 0;
}

void SetReplayCatchUpLimit(uint32_t ms) {
    g_catch_up_ms.store(ms);
}

bool WaitForReplayWorker(DWORD timeout_ms) {
    ULONGLONG start = GetTickCount64();
    for (HANDLE worker : g_workers) {
        ULONGLONG spent = GetTickCount64() - start;
        DWORD left = timeout_ms == INFINITE ? INFINITE
                     : spent >= timeout_ms  ? 0
                                            : static_cast<DWORD>(timeout_ms - spent);
        if (WaitForSingleObject(worker, left) != WAIT_OBJECT_0)
            return false;
    }
    ForgetEndedWorkers();
    return true;
}

bool StopReplayAndWait(DWORD timeout_ms) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        // Again on every round: a hook handler called below may have started a run (and made
        // a worker ready for the next).
        StopReplay();
        DismissStandby();
        ForgetEndedWorkers();
        if (g_workers.empty())
            return true;
        if (timeout_ms != INFINITE && GetTickCount64() - start >= timeout_ms)
            return false;
        // Peeking handles every message sent to this thread, and with them the calls of its
        // low-level hooks that a worker's injection waits for; it removes nothing.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        WaitForSingleObject(g_workers.front(), 1);
    }
}
