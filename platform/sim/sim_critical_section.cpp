// Critical sections of the simulated backend: a recursive mutex, since a Windows critical
// section may be entered again by the thread that holds it.
#include "platform/sim/sim_thread.h"

#include <mutex>

namespace {
std::recursive_mutex& Impl(LPCRITICAL_SECTION section) {
    return *static_cast<std::recursive_mutex*>(section->impl);
}
} // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    section->impl = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    Impl(section).lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    return Impl(section).try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    Impl(section).unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    delete static_cast<std::recursive_mutex*>(section->impl);
    section->impl = nullptr;
}
