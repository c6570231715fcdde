// The lock, the change notification and the handle table of the simulated backend.
#include "platform/sim/sim_dispatcher.h"

#include <atomic>
#include <unordered_map>

namespace sim::detail {
namespace {

// Leaked on purpose: threads may still be waiting or ending while static destructors run at
// process exit, and a destroyed mutex would turn that into a crash.
struct DispatcherState {
    std::mutex lock;
    std::condition_variable changed;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> handles; // under lock
    uintptr_t next_handle = 0x100;                                     // under lock
};

DispatcherState& State() {
    static DispatcherState* state = new DispatcherState;
    return *state;
}

std::atomic<DWORD> g_next_thread_id{0x100};
std::atomic<void (*)()> g_thread_exit_hook{nullptr};

// Gives every thread an id on first use and runs the exit hooks when the thread ends, also
// for threads that the simulation did not start itself.
struct ThreadRecord {
    DWORD id = 0;
    bool exited = false;
    ~ThreadRecord() {
        if (!exited)
            RunThreadExitHooks();
    }
};
thread_local ThreadRecord t_thread;

} // namespace

std::mutex& Lock() {
    return State().lock;
}
std::condition_variable& Changed() {
    return State().changed;
}

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
    DispatcherState& s = State();
    // Multiples of four, like the handles of Windows; never reused.
    HANDLE handle = reinterpret_cast<HANDLE>(s.next_handle);
    s.next_handle += 4;
    s.handles.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
    auto& handles = State().handles;
    auto it = handles.find(handle);
    return it == handles.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle) {
    return State().handles.erase(handle) != 0;
}

DWORD NewThreadId() {
    // Multiples of four, like Windows thread ids; never 0.
    return g_next_thread_id.fetch_add(4);
}

void AdoptThreadId(DWORD id) {
    t_thread.id = id;
}

void RunThreadExitHooks() {
    if (t_thread.exited)
        return;
    t_thread.exited = true;
    if (auto hook = g_thread_exit_hook.load())
        hook();
}

void SetThreadExitHook(void (*hook)()) {
    g_thread_exit_hook.store(hook);
}

DWORD CurrentThreadIdImpl() {
    if (t_thread.id == 0)
        t_thread.id = NewThreadId();
    return t_thread.id;
}

} // namespace sim::detail

DWORD GetCurrentThreadId() {
    return sim::detail::CurrentThreadIdImpl();
}
