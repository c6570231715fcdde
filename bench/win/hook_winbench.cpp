// Windows timing loop: the time the global hook object's procedure takes per key event, with a
// key-released handler shaped like the trigger handler bound, while a 100 ms timer ticks on
// the same thread, against a procedure that only calls CallNextHookEx. Windows drops a
// low-level hook that answers too slowly, so the figures are the median and the 99th
// percentile per event, not a mean.
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
#include "app/global_hook.h"
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "runtime/core/wstring.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

constexpr int kChunks = 40;
constexpr int kPairsPerChunk = 25; // a press and a release each
constexpr int kDirectCalls = 250;  // per chunk and side
constexpr BYTE kKey = 0x7C;        // F13: nothing reacts to it
constexpr UINT kChunkDone = WM_APP + 1;

HHOOK g_measuring = nullptr;
std::vector<double>* g_samples = nullptr; // the side being measured; this thread only
LONGLONG g_frequency = 1;
long long g_ticks = 0;
long long g_handled = 0;
int32_t g_trigger = 0x70; // F1, as the window starts
bool g_running = false;

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Microseconds(LONGLONG from, LONGLONG to) {
    return static_cast<double>(to - from) * 1e6 / static_cast<double>(g_frequency);
}

LRESULT CALLBACK MeasuringProc(int code, WPARAM wparam, LPARAM lparam) {
    LONGLONG start = Now();
    LRESULT result = CallNextHookEx(g_measuring, code, wparam, lparam);
    LONGLONG end = Now();
    if (g_samples != nullptr)
        g_samples->push_back(Microseconds(start, end));
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
        LONGLONG start = Now();
        procedure(HC_ACTION, WM_KEYUP, reinterpret_cast<LPARAM>(&record));
        samples.push_back(Microseconds(start, Now()));
    }
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

void Report(const char* how, const std::vector<double>& subject,
            const std::vector<double>& reference) {
    double p50 = Percentile(subject, 0.50), p99 = Percentile(subject, 0.99);
    double r50 = Percentile(reference, 0.50), r99 = Percentile(reference, 0.99);
    std::printf(" %s (%zu events a side):\n", how, subject.size());
    std::printf("  global hook object      p50 %8.2f us  p99 %8.2f us  max %8.2f us\n", p50, p99,
                *std::max_element(subject.begin(), subject.end()));
    std::printf("  CallNextHookEx only     p50 %8.2f us  p99 %8.2f us  max %8.2f us\n", r50, r99,
                *std::max_element(reference.begin(), reference.end()));
    std::printf("  ratio                   p50 %8.2f     p99 %8.2f     goal: p99 under 50 us\n",
                p50 / r50, p99 / r99);
}

} // namespace

int wmain() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    g_frequency = f.QuadPart;
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
    std::vector<double> chain, chain_reference, direct, direct_reference;
    bool installed = true;
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
    KillTimer(clock, 1);
    DestroyWindow(clock);
    target->DetachOwner();

    if (!installed || chain.empty() || chain_reference.empty()) {
        std::printf("hook benchmark: no events measured (hooks installed: %d)\n", installed);
        return 1;
    }
    std::printf("hook procedure per key event, %lld clock ticks meanwhile:\n", g_ticks);
    Report("through the hook chain", chain, chain_reference);
    Report("called directly", direct, direct_reference);
    std::printf("  key releases handled: %lld of %d\n", g_handled,
                kChunks * (kPairsPerChunk + kDirectCalls));
    return 0;
}
