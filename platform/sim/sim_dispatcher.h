// Internal to the simulated backend: the one lock and condition variable under which every
// kernel object, window, class, queue and timer of the simulation changes, and the handle
// table of kernel objects.
//
// One lock for everything keeps the simulation simple to reason about: any wait (for an
// object, a message or a reply) re-checks its condition under this lock after each
// notification. Window procedures, thread procedures and timer procedures are always called
// with the lock released.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sim/sim_thread.h"

namespace sim::detail {

using Clock = std::chrono::steady_clock;

std::mutex& Lock();
// Notified (notify_all) after every change that a waiter might be waiting for.
std::condition_variable& Changed();

// A file handle is in the table for its value only: its state lives in sim_file_handle.cpp.
enum class ObjectKind { Thread, Event, Timer, File, Mutex };

// A waitable kernel object. Guarded by Lock().
struct KernelObject {
    ObjectKind kind;
    bool signalled = false;
    bool manual_reset = true; // threads stay signalled once they have ended
    DWORD thread_id = 0;      // threads only
    DWORD exit_code = STILL_ACTIVE;
    // Timers only: when the timer is set and not yet fired, the time it becomes signalled.
    // Waits fire it (FireDueTimers) rather than a thread of its own.
    bool armed = false;
    Clock::time_point due{};
};

// Signals every armed timer among the objects whose time has come, and answers the earliest
// time one of the others is due (Clock::time_point::max() when none is). Lock() held.
Clock::time_point FireDueTimers(const std::vector<std::shared_ptr<KernelObject>>& objects);

// Handle table; call with Lock() held. Lookup answers null for unknown handles.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
bool RemoveHandle(HANDLE handle);

// Thread ids are handed out by the simulation, one per thread on first use.
DWORD NewThreadId();
void AdoptThreadId(DWORD id);

// Runs when a thread ends (a CreateThread thread, or any other thread through its
// thread-local teardown): the window side drops the thread's queue and windows.
void RunThreadExitHooks();
void SetThreadExitHook(void (*hook)());

} // namespace sim::detail
