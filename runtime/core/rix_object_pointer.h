// CRixObjectPointer: a counted back-reference to an owner object. Holders (the event bindings
// of the window framework) keep it alive by its count; the owner clears the target when it is
// destroyed, so a holder that outlives the owner sees null instead of a dangling pointer.
//
// The owner pattern: the owner creates one pointer to itself (count 1) when it is built; each
// holder AddRefs when it takes the pointer and Releases when it drops it; the owner's destructor
// calls DetachOwner, which clears the target and drops the owner's own reference.
//
// Threading: the target is set and cleared on the thread that owns the owner object (the
// user-interface thread); holders read it on that thread too.
#pragma once

#include "runtime/core/ref_object.h"

class CRixObject;

class CRixObjectPointer : public CRefObject {
public:
    explicit CRixObjectPointer(CRixObject* target = nullptr) : m_pTarget(target) {}

    CRixObject* GetTarget() const { return m_pTarget; }
    void SetTarget(CRixObject* target) { m_pTarget = target; }

    // The last act of the owner: null the target first, then let go of its own reference.
    void DetachOwner() {
        m_pTarget = nullptr;
        Release();
    }

private:
    CRixObject* m_pTarget; // not owned
};
