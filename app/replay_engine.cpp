// The replay worker and the start and stop requests.
#include "app/replay_engine.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

#include "app/step_list.h"
#include "app/step_text.h"
#include "runtime/core/int64_text.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/deadline_wait.h"
#include "runtime/shell/debug_trace.h"

namespace {

// One run: its pass count, its own stop request and an id that tells it from later runs.
// Shared between the user-interface side and the run's worker; the fields are set before
// the worker starts and never change, and the event is the only thing signalled.
struct ReplayRun {
    uint64_t id = 0;
    int32_t count = 0;
    HANDLE stop = nullptr; // manual-reset: once stopped, every later wait sees it at once

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

// User-interface thread only: the current run, its worker's handle and the next run id.
std::shared_ptr<ReplayRun> g_current;
HANDLE g_worker = nullptr;
uint64_t g_next_id = 1;

// A mouse record as the engine sends it: one button flag, nothing else.
void SendButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(INPUT));
}

// Waits ms milliseconds from now, or less when the run is stopped; true when stopped.
bool Wait(CDeadlineWait& wait, const ReplayRun& run, uint32_t ms) {
    return wait.WaitUntil(CDeadlineWait::After(CDeadlineWait::Now(), ms), run.stop);
}

LONG ClampToLong(int64_t v) {
    return static_cast<LONG>(
        std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

// Performs one step; false when the run was stopped during it.
bool PerformStep(WCHAR kind, const StepValues& values, const ReplayRun& run, CDeadlineWait& wait) {
    switch (kind) {
    case TEXT('A'): {
        BYTE k = static_cast<BYTE>(values.value & 0xFF);
        BYTE scan = static_cast<BYTE>(MapVirtualKeyW(k, MAPVK_VK_TO_VSC));
        keybd_event(k, scan, 0, 0);
        bool stopped = Wait(wait, run, kReplayHoldMs);
        // Released even when stopped: a key left down would corrupt what the user types next.
        keybd_event(k, scan, KEYEVENTF_KEYUP, 0);
        return !stopped;
    }
    case TEXT('B'): {
        static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN,
                                          MOUSEEVENTF_MIDDLEDOWN};
        static constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP,
                                        MOUSEEVENTF_MIDDLEUP};
        if (values.value < 1 || values.value > 3)
            return true;
        SendButton(kDown[values.value - 1]);
        bool stopped = Wait(wait, run, kReplayHoldMs);
        SendButton(kUp[values.value - 1]);
        return !stopped;
    }
    case TEXT('C'): {
        POINT p{};
        GetCursorPos(&p);
        // In 64 bits: an offset as large as the code allows must not overflow the sum.
        SetCursorPos(ClampToLong(int64_t{p.x} + values.x), ClampToLong(int64_t{p.y} + values.y));
        return true;
    }
    case TEXT('D'):
        // Unsigned: D-1 waits 0xFFFFFFFF ms, that is, until the run is stopped.
        return !Wait(wait, run, static_cast<uint32_t>(values.value));
    case TEXT('E'):
        SetCursorPos(values.x, values.y);
        return true;
    default:
        return true;
    }
}

DWORD WINAPI ReplayWorker(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<ReplayRun>> holder(
        static_cast<std::shared_ptr<ReplayRun>*>(parameter));
    const ReplayRun& run = **holder;
    CDeadlineWait wait;
    StepValues values;
    bool stopped = false;
    for (int32_t pass = 0; pass < run.count && !stopped; ++pass) {
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
            if (!PerformStep(kind, values, run, wait)) {
                stopped = true;
                break;
            }
        }
    }
    uint64_t mine = run.id;
    g_running.compare_exchange_strong(mine, 0);
    return 0;
}

} // namespace

void StartReplay(int32_t count) {
    if (g_current != nullptr)
        StopReplay();
    auto run = std::make_shared<ReplayRun>();
    run->id = g_next_id++;
    run->count = count;
    run->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (run->stop == nullptr)
        return;
    g_current = run;
    g_running.store(run->id);
    auto* parameter = new std::shared_ptr<ReplayRun>(run);
    HANDLE worker = CreateThread(nullptr, 0, ReplayWorker, parameter, 0, nullptr);
    if (worker == nullptr) {
        delete parameter;
        g_running.store(0);
        g_current.reset();
        return;
    }
    if (g_worker != nullptr)
        CloseHandle(g_worker);
    g_worker = worker;
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

bool WaitForReplayWorker(DWORD timeout_ms) {
    return g_worker == nullptr || WaitForSingleObject(g_worker, timeout_ms) == WAIT_OBJECT_0;
}
