// Binding and firing of one event slot.
#include "runtime/ui/event_binding.h"

EventBinding::~EventBinding() {
    if (m_pTarget != nullptr)
        m_pTarget->Release();
}

void EventBinding::Bind(EventCallback callback, CRixObjectPointer* target, int32_t user) {
    CRixObjectPointer* replaced = nullptr;
    SpinLockAcquire(m_nLock);
    m_pCallback = callback;
    m_nUser = user;
    if (target != m_pTarget) {
        replaced = m_pTarget;
        m_pTarget = target;
        if (target != nullptr)
            target->AddRef();
    }
    SpinLockRelease(m_nLock);
    if (replaced != nullptr)
        replaced->Release();
}

int64_t EventBinding::Fire(CRixObject* sender, int64_t a1, int64_t a2, int64_t a3,
                           int64_t none) const {
    SpinLockAcquire(m_nLock);
    EventCallback callback = m_pCallback;
    CRixObjectPointer* target = m_pTarget;
    int32_t user = m_nUser;
    if (callback != nullptr && target != nullptr)
        target->AddRef();
    SpinLockRelease(m_nLock);
    if (callback == nullptr || target == nullptr)
        return none;
    int64_t result = none;
    if (CRixObject* object = target->GetTarget())
        result = callback(object, sender, user, a1, a2, a3);
    target->Release();
    return result;
}

bool EventBinding::IsBound() const {
    SpinLockAcquire(m_nLock);
    bool bound = m_pCallback != nullptr && m_pTarget != nullptr;
    SpinLockRelease(m_nLock);
    return bound;
}
