// EventBinding: one event slot of a control (callback, counted target, user value, spin
// lock), and EventCallback, the shape of every handler.
//
// Threads: a binding may be changed on any thread while the user-interface thread fires it.
// The lock (the runtime spin lock, 1 free, 0 held) guards the three fields; it is held only
// while they are copied or stored, never while a handler runs.
#pragma once

#include <cstdint>

#include "runtime/core/rix_object_pointer.h"
#include "runtime/core/spin_lock.h"

class CRixObject;

// handler(target object, sender control object, user value, event arguments). Every event
// passes its arguments in order in a1..a3 (0 for the ones it does not have); the meaning of
// the result is the event's.
using EventCallback = int64_t (*)(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                  int64_t a2, int64_t a3);

class EventBinding {
public:
    // A new binding is {null, null, 0, free}.
    EventBinding() = default;
    // Releases the target.
    ~EventBinding();
    // Bindings belong to one control object; copies of a control start unbound.
    EventBinding(const EventBinding&) = delete;
    EventBinding& operator=(const EventBinding&) = delete;

    // Stores callback, target and user value; a different target is counted (AddRef) and the
    // one it replaces released after the lock is let go. Null and null unbind.
    void Bind(EventCallback callback, CRixObjectPointer* target, int32_t user = 0);
    // Calls the handler outside the lock when a callback is bound and the target's object
    // still exists; otherwise answers none. The target is held by a reference for the length
    // of the call, so a binding changed on another thread meanwhile cannot free it.
    int64_t Fire(CRixObject* sender, int64_t a1 = 0, int64_t a2 = 0, int64_t a3 = 0,
                 int64_t none = 0) const;

    bool IsBound() const;

private:
    EventCallback m_pCallback = nullptr;    // under m_nLock
    CRixObjectPointer* m_pTarget = nullptr; // counted; under m_nLock
    int32_t m_nUser = 0;                    // under m_nLock
    mutable RixLockWord m_nLock{1};
};
