// Windows timing loop: the time the global hook object's procedure takes per event while a
// recording runs (the input sink feeds the recorder, which makes step codes, and posts to a
// window when steps wait) against the same procedure while none runs. Both sides have a
// key-released handler shaped like the trigger handler bound. The procedure is called directly
// with the records a user's typing and dragging give (not injected, so the recorder takes them):
// a key press and release, then a button press, moves along a path and the release. Between
// chunks the window takes the steps, as the main window does, so that the next step posts
// again. Both sides pay CallNextHookEx, which under Wine asks the wine server for the next hook
// even when called directly, and a 99th percentile on a shared machine is mostly the
// scheduler's; the difference of the two sides is the recording's share. Windows drops a low-level
// hook that answers too slowly, so each run gives the median and the 99th percentile per event; the
// figures are the medians of the runs' percentiles.
#include "app/input/global_hook.h"
#include "app/input/recorder.h"
#include "app/input/recording_feed.h"
#include "bench/win/timing.h"
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

constexpr int kRuns = 7;
constexpr int kChunks = 40;
constexpr int kRoundsPerChunk = 10; // each: 2 key events, 2 button events, kMoves moves
constexpr int kMoves = 20;
constexpr int kCommand = 110;

CRecorder* g_recorder = nullptr;
CRecordingFeed* g_feed = nullptr;
long long g_steps = 0;
long long g_posts = 0;
int32_t g_trigger = 0x70;
bool g_running = false;

int64_t OnKeyReleased(CRixObject*, CRixObject*, int32_t, int64_t key, int64_t marked, int64_t) {
    if (marked == 0 && key == g_trigger)
        g_running = !g_running;
    return 0;
}

// The main window's part: take the steps on the posted command.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && LOWORD(wparam) == kCommand && g_feed != nullptr) {
        ++g_posts;
        g_feed->Taken();
        g_steps += static_cast<long long>(g_recorder->TakeSteps().size());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Call(WPARAM message, LPARAM record, std::vector<double>& samples) {
    LONGLONG start = winbench::Ticks();
    rg_qj_gzl__n::HookProcedure(HC_ACTION, message, record);
    samples.push_back(winbench::TicksToMicroseconds(start, winbench::Ticks()));
}

// One chunk of direct calls: typing a letter, then a drag.
void TimeChunk(std::vector<double>& samples, int round_base) {
    KBDLLHOOKSTRUCT key{};
    MSLLHOOKSTRUCT mouse{};
    for (int r = 0; r < kRoundsPerChunk; ++r) {
        key.vkCode = 'A' + static_cast<DWORD>((round_base + r) % 26);
        key.scanCode = MapVirtualKeyW(key.vkCode, MAPVK_VK_TO_VSC);
        key.flags = 0;
        Call(WM_KEYDOWN, reinterpret_cast<LPARAM>(&key), samples);
        key.flags = LLKHF_UP;
        Call(WM_KEYUP, reinterpret_cast<LPARAM>(&key), samples);
        mouse.pt = {100 + r, 100};
        Call(WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse), samples);
        for (int m = 1; m <= kMoves; ++m) {
            mouse.pt = {100 + r + 3 * m, 100 + m};
            Call(WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse), samples);
        }
        Call(WM_LBUTTONUP, reinterpret_cast<LPARAM>(&mouse), samples);
    }
}

} // namespace

int wmain() {

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KeyseqRecorderBench";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr);

    CRixObject owner;
    auto* target = new CRixObjectPointer(&owner);
    rg_qj_gzl__n hook;
    hook.KeyReleased().Bind(OnKeyReleased, target);
    CRecorder recorder;
    CRecordingFeed feed(recorder);
    feed.SetWindow(window, kCommand);
    g_recorder = &recorder;
    g_feed = &feed;

    std::vector<double> p50_rec, p99_rec, max_rec, p50_idle, p99_idle, max_idle;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<double> recording, idle;
        recorder.Start(g_trigger, winbench::TicksPerSecond());
        for (int chunk = 0; chunk < kChunks; ++chunk) {
            hook.SetInputSink(&feed);
            TimeChunk(recording, chunk * kRoundsPerChunk);
            hook.SetInputSink(nullptr);
            Pump();
            TimeChunk(idle, chunk * kRoundsPerChunk);
            Pump();
        }
        recorder.Stop();
        Pump();
        p50_rec.push_back(winbench::Percentile(recording, 0.50));
        p99_rec.push_back(winbench::Percentile(recording, 0.99));
        max_rec.push_back(*std::max_element(recording.begin(), recording.end()));
        p50_idle.push_back(winbench::Percentile(idle, 0.50));
        p99_idle.push_back(winbench::Percentile(idle, 0.99));
        max_idle.push_back(*std::max_element(idle.begin(), idle.end()));
        std::printf(" run %d: recording p50 %7.2f us p99 %7.2f us max %8.2f us | not recording "
                    "p50 %7.2f us p99 %7.2f us max %8.2f us (%zu events a side)\n",
                    run + 1, p50_rec.back(), p99_rec.back(), max_rec.back(), p50_idle.back(),
                    p99_idle.back(), max_idle.back(), recording.size());
    }
    g_feed = nullptr;
    DestroyWindow(window);
    target->DetachOwner();

    std::printf("hook procedure per event, called directly, medians of %d runs:\n", kRuns);
    std::printf("  recording      p50 %8.2f us  p99 %8.2f us  (p99 of runs %.2f-%.2f)\n",
                winbench::Median(p50_rec), winbench::Median(p99_rec),
                *std::min_element(p99_rec.begin(), p99_rec.end()),
                *std::max_element(p99_rec.begin(), p99_rec.end()));
    std::printf("  not recording  p50 %8.2f us  p99 %8.2f us  (p99 of runs %.2f-%.2f)\n",
                winbench::Median(p50_idle), winbench::Median(p99_idle),
                *std::min_element(p99_idle.begin(), p99_idle.end()),
                *std::max_element(p99_idle.begin(), p99_idle.end()));
    std::printf("  ratio          p50 %8.2f     p99 %8.2f     goal: recording p99 under 1000 us\n",
                winbench::Median(p50_rec) / winbench::Median(p50_idle),
                winbench::Median(p99_rec) / winbench::Median(p99_idle));
    std::printf("  steps made %lld, posts %lld; goal %s\n", g_steps, g_posts,
                winbench::Median(p99_rec) < 1000.0 ? "met" : "not met");
    return 0;
}
