// The runtime spin lock: guards the pool's free chain and other records that are held for a
// handful of instructions (the event bindings of the window framework).
//
// A lock word is 1 when free and 0 or less when held. Acquiring decrements it atomically; the
// caller that takes it from 1 to 0 holds the lock. A waiter spins on plain reads until the
// word is positive again, so waiting threads do not hammer the cache line with locked writes.
// There is no owner check, no recursion and no fairness.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/platform.h"

using RixLockWord = std::atomic<int64_t>;

inline void SpinLockAcquire(RixLockWord& word) {
    for (;;) {
        if (word.fetch_sub(1, std::memory_order_acq_rel) - 1 == 0)
            return;
        do {
            YieldProcessor();
        } while (word.load(std::memory_order_relaxed) <= 0);
    }
}

// A plain store of 1: whatever value the waiters' decrements left behind is overwritten.
inline void SpinLockRelease(RixLockWord& word) {
    word.store(1, std::memory_order_release);
}
