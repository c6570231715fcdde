// Threads of the simulated backend: std::thread underneath, a kernel object on top so that
// the thread can be waited for and its exit code read after it has ended.
#include "platform/sim/sim_thread.h"

#include <thread>

#include "platform/sim/sim_dispatcher.h"
#include "platform/sim/sim_heap.h"

using namespace sim::detail;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creation_flags, LPDWORD thread_id) {
    if (start == nullptr || creation_flags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto object = std::make_shared<KernelObject>();
    object->kind = ObjectKind::Thread;
    object->thread_id = NewThreadId();
    HANDLE handle;
    {
        std::lock_guard<std::mutex> lock(Lock());
        handle = InsertHandle(object);
    }
    if (thread_id != nullptr)
        *thread_id = object->thread_id;

    // The thread keeps its own reference to the object, so closing the handle early does not
    // pull the object away from under it.
    std::thread([object, start, parameter] {
        AdoptThreadId(object->thread_id);
        DWORD code = start(parameter);
        // The thread's windows and queue go before the handle is signalled, as on Windows.
        RunThreadExitHooks();
        std::lock_guard<std::mutex> lock(Lock());
        object->exit_code = code;
        object->signalled = true;
        Changed().notify_all();
    }).detach();
    return handle;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code) {
    std::lock_guard<std::mutex> lock(Lock());
    auto object = LookupHandle(thread);
    if (object == nullptr || object->kind != ObjectKind::Thread || exit_code == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exit_code = object->exit_code;
    return TRUE;
}
