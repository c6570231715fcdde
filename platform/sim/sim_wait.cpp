// Events and waits of the simulated backend. Every wait checks its objects under the
// dispatcher lock and sleeps on the shared change notification until they are signalled or
// the time is up; a wait-all takes its objects together or not at all.
#include "platform/sim/sim_thread.h"

#include <map>
#include <string>
#include <vector>

#include "platform/sim/sim_dispatcher.h"
#include "platform/sim/sim_file_handle.h"
#include "platform/sim/sim_heap.h"

using namespace sim::detail;

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manual_reset, BOOL initial_state, LPCWSTR name) {
    if (name != nullptr) {
        // NOTE: there is one process in the simulation, so a name could only ever find
        // itself; refusing keeps a caller from believing it shares the event.
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto object = std::make_shared<KernelObject>();
    object->kind = ObjectKind::Event;
    object->manual_reset = manual_reset != FALSE;
    object->signalled = initial_state != FALSE;
    std::lock_guard<std::mutex> lock(Lock());
    return InsertHandle(std::move(object));
}

static BOOL SetEventState(HANDLE event, bool signalled) {
    std::lock_guard<std::mutex> lock(Lock());
    auto object = LookupHandle(event);
    if (object == nullptr || object->kind != ObjectKind::Event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->signalled = signalled;
    if (signalled)
        Changed().notify_all();
    return TRUE;
}

BOOL SetEvent(HANDLE event) {
    return SetEventState(event, true);
}
BOOL ResetEvent(HANDLE event) {
    return SetEventState(event, false);
}

namespace {

// Named mutexes by name; an entry whose object is gone (every handle closed) is a free name.
// Guarded by Lock().
std::map<std::u16string, std::weak_ptr<KernelObject>>& MutexNames() {
    static auto* names = new std::map<std::u16string, std::weak_ptr<KernelObject>>();
    return *names;
}

} // namespace

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initial_owner, LPCWSTR name) {
    if (initial_owner != FALSE) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Lock());
    if (name != nullptr) {
        std::weak_ptr<KernelObject>& entry = MutexNames()[std::u16string(name)];
        if (auto existing = entry.lock()) {
            HANDLE handle = InsertHandle(std::move(existing));
            SetLastError(ERROR_ALREADY_EXISTS);
            return handle;
        }
        auto object = std::make_shared<KernelObject>();
        object->kind = ObjectKind::Mutex;
        entry = object;
        SetLastError(ERROR_SUCCESS);
        return InsertHandle(std::move(object));
    }
    auto object = std::make_shared<KernelObject>();
    object->kind = ObjectKind::Mutex;
    SetLastError(ERROR_SUCCESS);
    return InsertHandle(std::move(object));
}

BOOL CloseHandle(HANDLE object) {
    bool file = false;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto found = LookupHandle(object);
        if (found == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        file = found->kind == ObjectKind::File;
        RemoveHandle(object);
    }
    // A file may go with its handle: that is host file work, done outside the lock.
    if (file)
        CloseFileHandle(object);
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    return WaitForMultipleObjects(1, &object, FALSE, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all,
                             DWORD milliseconds) {
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::unique_lock<std::mutex> lock(Lock());
    // The objects are held for the whole wait: closing a handle meanwhile does not end it.
    std::vector<std::shared_ptr<KernelObject>> objects;
    objects.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        auto object = LookupHandle(handles[i]);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        if (object->kind == ObjectKind::Mutex) {
            // Mutexes serve their names only (sim_thread.h); no wait could take one.
            SetLastError(ERROR_NOT_SUPPORTED);
            return WAIT_FAILED;
        }
        // Windows refuses a wait-all that names one object twice: it could never take the
        // object twice at once.
        if (wait_all) {
            for (const auto& seen : objects) {
                if (seen == object) {
                    SetLastError(ERROR_INVALID_PARAMETER);
                    return WAIT_FAILED;
                }
            }
        }
        objects.push_back(std::move(object));
    }

    // Takes the objects that satisfy the wait; answers WAIT_TIMEOUT while they do not.
    auto try_take = [&]() -> DWORD {
        if (wait_all) {
            for (const auto& object : objects) {
                if (!object->signalled)
                    return WAIT_TIMEOUT;
            }
            for (const auto& object : objects) {
                if (!object->manual_reset)
                    object->signalled = false;
            }
            return WAIT_OBJECT_0;
        }
        // The lowest index wins when several are signalled, as on Windows.
        for (DWORD i = 0; i < count; ++i) {
            if (objects[i]->signalled) {
                if (!objects[i]->manual_reset)
                    objects[i]->signalled = false;
                return WAIT_OBJECT_0 + i;
            }
        }
        return WAIT_TIMEOUT;
    };

    const bool forever = milliseconds == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);
    bool timed_out = false;
    for (;;) {
        // Checked once more after the time is up: the objects may have been signalled just as
        // it ran out.
        const auto next_timer = FireDueTimers(objects);
        DWORD result = try_take();
        if (result != WAIT_TIMEOUT || timed_out)
            return result;
        if (next_timer != Clock::time_point::max() && (forever || next_timer < deadline)) {
            // Woken for the timer, not for the time-out of the wait itself.
            Changed().wait_until(lock, next_timer);
            continue;
        }
        if (forever)
            Changed().wait(lock);
        else
            timed_out = Changed().wait_until(lock, deadline) == std::cv_status::timeout;
    }
}
