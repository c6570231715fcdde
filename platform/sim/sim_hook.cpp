// Low-level hooks of the simulated backend: the chain of installed hooks and the call of each
// hook on the thread that installed it.
//
// A thread that installs a hook gets a hidden sink window. Input from another thread reaches
// the hook as a message sent to that window, so it is handled wherever the installing thread
// handles sent messages: inside GetMessageW and PeekMessageW, as Windows calls low-level hooks.
#include "platform/sim/sim_hook.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_thread.h"
#include "platform/sim/sim_window.h"

namespace {

// The sink's private message: wParam carries the call record.
constexpr UINT kHookCallMessage = WM_APP + 0x3F00;
constexpr WCHAR kSinkClass[] = TEXT("KeyseqSimHookSink");

struct Hook {
    int id;
    HOOKPROC proc;
    DWORD thread;
    HWND sink;
};

struct HookCall {
    HOOKPROC proc;
    WPARAM message;
    LPARAM record;
};

// The chain, oldest first; guarded by g_mutex. Hook procedures are called with it released.
std::mutex g_mutex;
// Made on first use and never destroyed: a program removes its hooks when its last objects
// go, at exit, after this file's statics would have been destroyed (Windows takes the call
// then too).
std::vector<std::shared_ptr<Hook>>& Hooks() {
    static auto* hooks = new std::vector<std::shared_ptr<Hook>>();
    return *hooks;
}

LRESULT CALLBACK SinkProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kHookCallMessage) {
        auto* call = reinterpret_cast<HookCall*>(wparam);
        return call->proc(HC_ACTION, call->message, call->record);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// The calling thread's sink window, made on first use; null if it cannot be made.
HWND SinkOfCurrentThread() {
    DWORD thread = GetCurrentThreadId();
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        for (const auto& hook : Hooks()) {
            if (hook->thread == thread && IsWindow(hook->sink))
                return hook->sink;
        }
    }
    static std::once_flag registered;
    std::call_once(registered, [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = SinkProc;
        wc.lpszClassName = kSinkClass;
        RegisterClassExW(&wc);
    });
    return CreateWindowExW(0, kSinkClass, TEXT(""), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                           nullptr);
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
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        auto removed = *it;
        Hooks().erase(it);
        bool sink_used = std::any_of(Hooks().begin(), Hooks().end(),
                                     [&](const auto& hook) { return hook->sink == removed->sink; });
        if (!sink_used && removed->thread == GetCurrentThreadId())
            sink_to_destroy = removed->sink;
    }
    if (sink_to_destroy != nullptr)
        DestroyWindow(sink_to_destroy);
    return TRUE;
}

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
    DWORD thread = GetCurrentThreadId();
    for (const auto& hook : chain) {
        LRESULT result;
        if (hook->thread == thread) {
            result = hook->proc(HC_ACTION, message, record);
        } else {
            // NOTE: Windows gives up on a hook that does not answer within its time limit; the
            // simulation waits for the installing thread to pump, however long it takes. A
            // thread that has ended has no sink any more, and the send answers 0.
            HookCall call{hook->proc, message, record};
            result = SendMessageW(hook->sink, kHookCallMessage, reinterpret_cast<WPARAM>(&call), 0);
        }
        if (result != 0)
            return true;
    }
    return false;
}

} // namespace sim::detail
