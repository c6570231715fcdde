// CRefObject, root of the counted family: objects that live by a reference count instead of
// value semantics. The count changes only atomically, so holders on different threads may
// AddRef and Release the same object.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/core/class_info.h"
#include "runtime/core/rix_common_base.h"

class CRefObject : public CRixCommonBaseWithMemManager {
public:
    CRefObject() = default;
    CRefObject(const CRefObject&) = delete;
    CRefObject& operator=(const CRefObject&) = delete;

    static const ClassNameInfo* ClassRecord();

    // The counted protocol, in slot order after the five memory operations.
    virtual const ClassNameInfo* GetClassInfo() const { return ClassRecord(); }
    // Same class by hash, length and name bytes; the address is not compared first.
    virtual int IsClass(const ClassNameInfo* info) const {
        return SameClassName(info, GetClassInfo()) ? 1 : 0;
    }
    virtual ~CRefObject() = default;
    // Drops one reference. The one that takes the count from 1 to 0 runs OnFinalRelease,
    // deletes the object and returns 1; every other call returns 0.
    virtual int Release();
    virtual void OnFinalRelease() {}

    void AddRef() { m_nRefCount.fetch_add(1, std::memory_order_relaxed); }
    int64_t RefCount() const { return m_nRefCount.load(std::memory_order_relaxed); }

private:
    std::atomic<int64_t> m_nRefCount{1};
};
