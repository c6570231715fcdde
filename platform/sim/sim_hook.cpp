// Low-level hooks of the simulated backend: the chain of installed hooks, the call of each
// hook on the thread that installed it, and the time limit of that call.
//
// A thread that installs a hook gets a hidden sink window. Input from another thread reaches
// the hook as a message sent to that window, so it is handled wherever the installing thread
// handles sent messages: inside GetMessageW and PeekMessageW, as Windows calls low-level hooks.
#include "platform/sim/sim_hook.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_thread.h"
#include "platform/sim/sim_user_state.h"
#include "platform/sim/sim_window.h"

namespace {

// The sink's private message: wParam carries the call record.
constexpr UINT kHookCallMessage = WM_APP + 0x3F00;
constexpr WCHAR kSinkClass[] = TEXT("KeyseqSimHookSink");

// Long enough that a loaded test machine does not lose hooks by accident; tests that exercise
// the time limit set a short one.
constexpr DWORD kDefaultTimeoutMs = 1000;
std::atomic<DWORD> g_timeout_ms{kDefaultTimeoutMs};

struct Hook {
    int id;
    HOOKPROC proc;
    DWORD thread;
    HWND sink;
};

// One call of a hook on another thread. It holds its own copy of the event's record: the
// injecting thread goes on when the call times out, while the hook may still read it.
struct HookCall {
    HOOKPROC proc;
    WPARAM message;
    union {
        KBDLLHOOKSTRUCT key;
        MSLLHOOKSTRUCT mouse;
    } record;
    bool finished = false; // under g_mutex
};

// The chain, oldest first, the sink of each thread and the calls given up on while their hook
// still ran (kept until it returns); all guarded by g_mutex. Hook procedures are called with
// it released.
std::mutex g_mutex;
// Made on first use and never destroyed: a program removes its hooks when its last objects
// go, at exit, after this file's statics would have been destroyed (Windows takes the call
// then too).
std::vector<std::shared_ptr<Hook>>& Hooks() {
    static auto* hooks = new std::vector<std::shared_ptr<Hook>>();
    return *hooks;
}
std::map<DWORD, HWND>& Sinks() {
    static auto* sinks = new std::map<DWORD, HWND>();
    return *sinks;
}
std::vector<std::shared_ptr<HookCall>>& Abandoned() {
    static auto* calls = new std::vector<std::shared_ptr<HookCall>>();
    return *calls;
}

LRESULT CALLBACK SinkProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kHookCallMessage) {
        auto* call = reinterpret_cast<HookCall*>(wparam);
        LRESULT result =
            call->proc(HC_ACTION, call->message, reinterpret_cast<LPARAM>(&call->record));
        std::lock_guard<std::mutex> lock(g_mutex);
        call->finished = true;
        // A call its sender gave up on is freed here; otherwise the sender still holds it.
        std::erase_if(Abandoned(), [&](const auto& kept) { return kept.get() == call; });
        return result;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// The calling thread's sink window, made on first use; null if it cannot be made.
HWND SinkOfCurrentThread() {
    DWORD thread = GetCurrentThreadId();
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = Sinks().find(thread);
        if (it != Sinks().end() && IsWindow(it->second))
            return it->second;
    }
    static std::once_flag registered;
    std::call_once(registered, [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = SinkProc;
        wc.lpszClassName = kSinkClass;
        RegisterClassExW(&wc);
    });
    HWND sink = CreateWindowExW(0, kSinkClass, TEXT(""), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
    std::lock_guard<std::mutex> lock(g_mutex);
    Sinks()[thread] = sink;
    return sink;
}

// Takes a hook out of the chain for good, as Windows does with a hook that missed its time
// limit or whose thread has ended; its handle is invalid from then on.
void Drop(const std::shared_ptr<Hook>& hook) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase(Hooks(), hook);
}

bool InChain(const std::shared_ptr<Hook>& hook) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::find(Hooks().begin(), Hooks().end(), hook) != Hooks().end();
}

// Calls one hook on its own thread within the time limit. Answers its result, or 0 when it
// did not answer in time or cannot answer any more; it is dropped then.
LRESULT CallHook(const std::shared_ptr<Hook>& hook, int id, WPARAM message, LPARAM record) {
    using Clock = std::chrono::steady_clock;
    const DWORD limit = g_timeout_ms.load();
    if (hook->thread == GetCurrentThreadId()) {
        // The input comes from the hook's own thread, which cannot be interrupted: the call
        // is timed afterwards, and an answer that came too late counts for nothing.
        auto start = Clock::now();
        LRESULT result = hook->proc(HC_ACTION, message, record);
        if (Clock::now() - start > std::chrono::milliseconds(limit)) {
            Drop(hook);
            return 0;
        }
        return result;
    }
    auto call = std::make_shared<HookCall>();
    call->proc = hook->proc;
    call->message = message;
    if (id == WH_KEYBOARD_LL)
        call->record.key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(record);
    else
        call->record.mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(record);
    LRESULT result = 0;
    using sim::detail::TimedSendOutcome;
    TimedSendOutcome outcome = sim::detail::SendMessageWithin(
        hook->sink, kHookCallMessage, reinterpret_cast<WPARAM>(call.get()), 0, limit, &result);
    switch (outcome) {
    case TimedSendOutcome::Answered:
        return result;
    case TimedSendOutcome::Abandoned: {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!call->finished)
            Abandoned().push_back(call);
        break;
    }
    case TimedSendOutcome::TakenBack:
    case TimedSendOutcome::NoReceiver: // the thread has ended: its hooks go with it
        break;
    }
    Drop(hook);
    return 0;
}

} // namespace

HHOOK SetWindowsHookExW(int id, HOOKPROC proc, HINSTANCE, DWORD thread_id) {
    if ((id != WH_KEYBOARD_LL && id != WH_MOUSE_LL) || proc == nullptr || thread_id != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto hook = std::make_shared<Hook>(Hook{id, proc, GetCurrentThreadId(), SinkOfCurrentThread()});
    std::lock_guard<std::mutex> lock(g_mutex);
    Hooks().push_back(hook);
    return reinterpret_cast<HHOOK>(hook.get());
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    return 0;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
    HWND sink_to_destroy = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = std::find_if(Hooks().begin(), Hooks().end(), [&](const auto& hook) {
            return reinterpret_cast<HHOOK>(hook.get()) == handle;
        });
        if (it == Hooks().end()) {
            // Never installed, removed already, or dropped by the system.
            SetLastError(ERROR_INVALID_HOOK_HANDLE);
            return FALSE;
        }
        auto removed = *it;
        Hooks().erase(it);
        bool sink_used = std::any_of(Hooks().begin(), Hooks().end(),
                                     [&](const auto& hook) { return hook->sink == removed->sink; });
        if (!sink_used && removed->thread == GetCurrentThreadId()) {
            sink_to_destroy = removed->sink;
            Sinks().erase(removed->thread);
        }
    }
    if (sink_to_destroy != nullptr)
        DestroyWindow(sink_to_destroy);
    return TRUE;
}

namespace sim {

void SetLowLevelHookTimeout(DWORD milliseconds) {
    g_timeout_ms.store(milliseconds == 0 ? kDefaultTimeoutMs : milliseconds);
}

DWORD LowLevelHookTimeout() {
    return g_timeout_ms.load();
}

} // namespace sim

namespace sim::detail {

bool CallLowLevelHooks(int id, WPARAM message, LPARAM record) {
    std::vector<std::shared_ptr<Hook>> chain;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        for (auto it = Hooks().rbegin(); it != Hooks().rend(); ++it) {
            if ((*it)->id == id)
                chain.push_back(*it);
        }
    }
    for (const auto& hook : chain) {
        // A hook removed while an earlier one ran is not called any more.
        if (!InChain(hook))
            continue;
        if (CallHook(hook, id, message, record) != 0)
            return true;
    }
    return false;
}

} // namespace sim::detail
