// The two roots of every runtime class: CRixCommonBase, and CRixCommonBaseWithMemManager with
// the five memory operations. Every `new` and `delete` of a runtime class goes through the
// block pool here, and creation never yields null: exhausted memory ends the process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/pool_mem.h"

class CRixCommonBase {
public:
    static void* operator new(size_t size) { return RixAllocMem(static_cast<int64_t>(size)); }
    // Deletion is only ever applied to a real object, so there is no null test on this path.
    static void operator delete(void* p) { GetMemManager().PoolFree(p); }
    // Placement forms stay usable for objects built inside storage owned by someone else.
    static void* operator new(size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
};

class CRixCommonBaseWithMemManager : public CRixCommonBase {
public:
    // They act on the one global pool, whatever object they are called through.
    virtual void* AllocMem(int64_t size) { return RixAllocMem(size); }
    virtual void* TryAllocMem(int64_t size) { return RixTryAllocMem(size); }
    virtual void* ReallocMem(void* p, int64_t size) { return RixReallocMem(p, size); }
    virtual void FreeMem(void* p) { RixFreeMem(p); }
    virtual CPoolMem* GetMemManager() { return &::GetMemManager(); }

protected:
    CRixCommonBaseWithMemManager() = default;
    CRixCommonBaseWithMemManager(const CRixCommonBaseWithMemManager&) = default;
    CRixCommonBaseWithMemManager& operator=(const CRixCommonBaseWithMemManager&) = default;
    // Not virtual here: the deleting destructor takes its slot in each family after the
    // family's own operations, so each family root declares it.
    ~CRixCommonBaseWithMemManager() = default;
};
