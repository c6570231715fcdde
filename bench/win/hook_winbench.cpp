// Windows timing loop: the time the global hook object's procedure takes per key event, with a
// key-released handler shaped like the trigger handler bound, while a 100 ms timer ticks on
// the same thread, against a procedure that only calls CallNextHookEx. Windows drops a
// low-level hook that answers too slowly, so the figures are the median and the 99th
// percentile per event, not a mean.
//
// The whole measurement runs several times, and each figure is the median over the runs of
// that run's percentile, with its range: the 99th percentile of a single run follows the
// scheduler (one preemption among a few thousand events moves it tenfold), while its median
// over runs is stable enough to compare the two procedures.
//
// Through the hook chain: a measuring hook is installed after the one measured, so the system
// calls it first; it reads the performance counter around its own CallNextHookEx, which calls
// the measured procedure on this thread. Both sides pay the same chain walk, so the difference
// is the procedure's own work, and the absolute figures are upper bounds. Events are injected
// with keybd_event by a helper thread, paced about a millisecond apart so that the timer's
// ticks fall among them; subject and reference take turns in chunks.
//
// Called directly: under Wine every CallNextHookEx asks the wine server for the next hook,
// which dominates the chain figures. So the two procedures are also called directly with a
// key record between the chunks, outside any hook call (their CallNextHookEx then finds no
// chain): the procedure's own work.
#include "app/input/global_hook.h"
#include "bench/win/timing.h"
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "runtime/core/wstring.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

constexpr int kRuns = 7;
constexpr int kChunks = 12;        // per run
constexpr int kPairsPerChunk = 25; // a press and a release each
constexpr int kDirectCalls = 250;  // per chunk and side
constexpr BYTE kKey = 0x7C;        // F13: nothing reacts to it
constexpr UINT kChunkDone = WM_APP + 1;

HHOOK g_measuring = nullptr;
std::vector<double>* g_samples = nullptr; // the side being measured; this thread only
long long g_ticks = 0;
long long g_handled = 0;
int32_t g_trigger = 0x70; // F1, as the window starts
bool g_running = false;

LRESULT CALLBACK MeasuringProc(int code, WPARAM wparam, LPARAM lparam) {
    LONGLONG start = winbench::Ticks();
    LRESULT result = CallNextHookEx(g_measuring, code, wparam, lparam);
    LONGLONG end = winbench::Ticks();
    if (g_samples != nullptr)
        g_samples->push_back(winbench::TicksToMicroseconds(start, end));
    return result;
}

LRESULT CALLBACK EmptyProc(int code, WPARAM wparam, LPARAM lparam) {
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// What the trigger handler does for a key that is neither the trigger nor Pause.
int64_t OnKeyReleased(CRixObject*, CRixObject*, int32_t, int64_t key, int64_t marked, int64_t) {
    ++g_handled;
    if (marked != 0)
        return 0;
    if (key == g_trigger)
        g_running = !g_running;
    return 0;
}

// The clock's tick: the cursor position written into a window's text.
LRESULT CALLBACK ClockProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER) {
        ++g_ticks;
        POINT p{};
        GetCursorPos(&p);
        CWString text;
        text.Format(TEXT("%d\uFF0C%d"), static_cast<int>(p.x), static_cast<int>(p.y));
        SetWindowTextW(hwnd, text.GetText());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

DWORD WINAPI InjectChunk(LPVOID parameter) {
    DWORD ui_thread = *static_cast<DWORD*>(parameter);
    BYTE scan = static_cast<BYTE>(MapVirtualKeyW(kKey, MAPVK_VK_TO_VSC));
    for (int i = 0; i < kPairsPerChunk; ++i) {
        keybd_event(kKey, scan, 0, 0);
        Sleep(1);
        keybd_event(kKey, scan, KEYEVENTF_KEYUP, 0);
        Sleep(1);
    }
    PostThreadMessageW(ui_thread, kChunkDone, 0, 0);
    return 0;
}

// Runs one chunk of injected events through the message loop of this thread.
void RunChunk() {
    DWORD ui_thread = GetCurrentThreadId();
    HANDLE thread = CreateThread(nullptr, 0, InjectChunk, &ui_thread, 0, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kChunkDone)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

// Calls the procedure directly with a key release of kKey; the time of each call.
void TimeDirectCalls(HOOKPROC procedure, std::vector<double>& samples) {
    KBDLLHOOKSTRUCT record{};
    record.vkCode = kKey;
    record.scanCode = MapVirtualKeyW(kKey, MAPVK_VK_TO_VSC);
    record.flags = LLKHF_INJECTED | LLKHF_UP;
    for (int i = 0; i < kDirectCalls; ++i) {
        LONGLONG start = winbench::Ticks();
        procedure(HC_ACTION, WM_KEYUP, reinterpret_cast<LPARAM>(&record));
        samples.push_back(winbench::TicksToMicroseconds(start, winbench::Ticks()));
    }
}

// One side's percentiles, one entry per run.
struct RunFigures {
    std::vector<double> p50, p99, max;

    void Add(const std::vector<double>& samples) {
        p50.push_back(winbench::Percentile(samples, 0.50));
        p99.push_back(winbench::Percentile(samples, 0.99));
        max.push_back(*std::max_element(samples.begin(), samples.end()));
    }
};

void PrintSide(const char* name, const RunFigures& f) {
    auto [p99_low, p99_high] = std::minmax_element(f.p99.begin(), f.p99.end());
    std::printf("  %-22s p50 %8.2f us  p99 %8.2f us (runs %.2f-%.2f)  max %8.2f us\n", name,
                winbench::Median(f.p50), winbench::Median(f.p99), *p99_low, *p99_high,
                winbench::Median(f.max));
}

void Report(const char* how, size_t events, const RunFigures& subject,
            const RunFigures& reference) {
    std::printf(" %s (%zu events a side in each of %zu runs; medians over the runs):\n", how,
                events, subject.p99.size());
    PrintSide("global hook object", subject);
    PrintSide("CallNextHookEx only", reference);
    std::printf("  ratio                  p50 %8.2f     p99 %8.2f     goal: p99 within 2\n",
                winbench::Median(subject.p50) / winbench::Median(reference.p50),
                winbench::Median(subject.p99) / winbench::Median(reference.p99));
}

} // namespace

int wmain() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue, before the helper posts

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ClockProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KeyseqHookBenchClock";
    RegisterClassExW(&wc);
    HWND clock = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    SetTimer(clock, 1, 100, nullptr);

    CRixObject owner;
    auto* target = new CRixObjectPointer(&owner);
    RunFigures chain_figures, chain_reference_figures, direct_figures, direct_reference_figures;
    size_t chain_events = 0, direct_events = 0;
    bool installed = true;
    bool measured = true;
    for (int run = 0; run < kRuns && installed && measured; ++run) {
        std::vector<double> chain, chain_reference, direct, direct_reference;
        for (int chunk = 0; chunk < kChunks; ++chunk) {
            {
                rg_qj_gzl__n hook;
                installed = installed && rg_qj_gzl__n::IsInstalled();
                hook.KeyReleased().Bind(OnKeyReleased, target);
                g_measuring = SetWindowsHookExW(WH_KEYBOARD_LL, MeasuringProc, nullptr, 0);
                g_samples = &chain;
                RunChunk();
                g_samples = nullptr;
                UnhookWindowsHookEx(g_measuring);
                TimeDirectCalls(rg_qj_gzl__n::HookProcedure, direct);
            }
            HHOOK empty = SetWindowsHookExW(WH_KEYBOARD_LL, EmptyProc, nullptr, 0);
            g_measuring = SetWindowsHookExW(WH_KEYBOARD_LL, MeasuringProc, nullptr, 0);
            g_samples = &chain_reference;
            RunChunk();
            g_samples = nullptr;
            UnhookWindowsHookEx(g_measuring);
            UnhookWindowsHookEx(empty);
            TimeDirectCalls(EmptyProc, direct_reference);
        }
        measured = !chain.empty() && !chain_reference.empty();
        if (!measured)
            break;
        chain_figures.Add(chain);
        chain_reference_figures.Add(chain_reference);
        direct_figures.Add(direct);
        direct_reference_figures.Add(direct_reference);
        chain_events = std::min(chain.size(), chain_reference.size());
        direct_events = direct.size();
    }
    KillTimer(clock, 1);
    DestroyWindow(clock);
    target->DetachOwner();

    if (!installed || !measured) {
        std::printf("hook benchmark: no events measured (hooks installed: %d)\n", installed);
        return 1;
    }
    std::printf("hook procedure per key event, %lld clock ticks meanwhile:\n", g_ticks);
    Report("through the hook chain", chain_events, chain_figures, chain_reference_figures);
    Report("called directly", direct_events, direct_figures, direct_reference_figures);
    std::printf("  key releases handled: %lld of %d\n", g_handled,
                kRuns * kChunks * (kPairsPerChunk + kDirectCalls));
    return 0;
}
