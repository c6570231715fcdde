// CPoolMem, the process-wide block pool, and the memory operations every runtime class uses.
//
// One 8 MiB area taken from the process heap at start-up is cut into 32,768 blocks of 256
// bytes on a LIFO free chain. Requests of at most 256 bytes pop a block; larger requests, and
// small ones while the chain is empty, go to the process heap. Release routes by address.
//
// The chain is threaded as it is used: blocks never handed out sit past a frontier, in address
// order, and stand for the tail of the chain. Writing all 32,767 links at set-up touches every
// page of the area, which under Wine costs about 50 ms of start-up (a fault per page); the order
// in which blocks are handed out is the same either way.
// A block in use carries no header: the pool does not know how much of it the caller asked for.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/spin_lock.h"

#if defined(__SANITIZE_ADDRESS__)
#define KEYSEQ_POOL_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEYSEQ_POOL_POISON 1
#endif
#endif
#if defined(KEYSEQ_POOL_POISON)
#include <sanitizer/asan_interface.h>
#endif

// The allocator behind the pool. The default is the process heap; tests substitute one that
// refuses on demand, so heap failure can be exercised without exhausting the machine.
struct PoolHeap {
    void* (*Alloc)(size_t bytes);
    void* (*Realloc)(void* p, size_t bytes);
    void (*Free)(void* p);
};
const PoolHeap& ProcessPoolHeap();
// The same table, named so that a pool can point at it in a constant expression.
extern const PoolHeap kProcessPoolHeap;

class CPoolMem {
public:
    static constexpr int64_t kBlockSize = 256;
    static constexpr int64_t kAreaSize = 0x800000;
    static constexpr int64_t kBlockCount = kAreaSize / kBlockSize;

    // Takes the area from `heap`; its blocks are handed out in address order. If the heap refuses,
    // the process ends with status -1: nothing of the runtime can work without the pool.
    explicit CPoolMem(const PoolHeap& heap = ProcessPoolHeap());
    // A pool whose area comes later (TakeArea), on the process heap. This constructor is a
    // constant expression, so a pool of static storage built with it has every field, the lock
    // word included, in place before any code of the program runs; until its area arrives it
    // passes every request to the heap.
    struct DeferredArea {};
    constexpr explicit CPoolMem(DeferredArea) noexcept : m_pHeap(&kProcessPoolHeap) {}
    // Takes the area of a pool built with DeferredArea; see the first constructor.
    void TakeArea();
    // Gives the whole area back. Objects still living in it are not destroyed one by one.
    virtual ~CPoolMem();
    CPoolMem(const CPoolMem&) = delete;
    CPoolMem& operator=(const CPoolMem&) = delete;

    // Null when the heap refuses; the caller decides what that means.
    void* PoolAlloc(int64_t size) {
        if (size > m_nBlockSize)
            return m_pHeap->Alloc(static_cast<size_t>(size));
        void* block = PopBlock();
        return block != nullptr ? block : m_pHeap->Alloc(static_cast<size_t>(size));
    }

    void PoolFree(void* p) {
        if (!Contains(p)) {
            m_pHeap->Free(p);
            return;
        }
        PushBlock(p);
    }

    // Resizes `p` (never null). A pool block asked for at most 256 bytes stays where it is; a
    // larger size moves it to the heap with its whole block copied. A heap block stays on the
    // heap even when it shrinks. Null when the heap refuses (and then `p` is untouched).
    void* PoolRealloc(void* p, int64_t size);

    // Unsigned comparison against the area: any other address belongs to the heap.
    bool Contains(const void* p) const {
        auto a = reinterpret_cast<uintptr_t>(p);
        return a >= reinterpret_cast<uintptr_t>(m_pStart) &&
               a < reinterpret_cast<uintptr_t>(m_pEnd);
    }

    const PoolHeap& Heap() const { return *m_pHeap; }
    // Only for tests that need to make the global pool's heap refuse (a death test, in a child).
    void ReplaceHeapForTesting(const PoolHeap& heap) { m_pHeap = &heap; }

private:
    void* PopBlock() {
        SpinLockAcquire(m_nLock);
        void* block = m_pHead;
        if (block != nullptr) {
            m_pHead = *static_cast<void**>(block);
        } else if (m_pFresh != m_pEnd) {
            block = m_pFresh;
            m_pFresh += kBlockSize;
        }
        SpinLockRelease(m_nLock);
        Unpoison(block);
        return block;
    }

    void PushBlock(void* p) {
        // Poisoned before it is published: once it is on the chain another thread may pop and
        // unpoison it at any moment, and a late poison would then hit that thread's data.
        Poison(p);
        SpinLockAcquire(m_nLock);
        *static_cast<void**>(p) = m_pHead;
        m_pHead = p;
        SpinLockRelease(m_nLock);
    }

    // In sanitizer builds a block on the chain is poisoned except for its link word, which the
    // pool itself reads; a use after release is then caught even though the memory stays ours.
    static void Poison([[maybe_unused]] void* p) {
#if defined(KEYSEQ_POOL_POISON)
        if (p != nullptr)
            ASAN_POISON_MEMORY_REGION(static_cast<char*>(p) + sizeof(void*),
                                      kBlockSize - sizeof(void*));
#endif
    }
    static void Unpoison([[maybe_unused]] void* p) {
#if defined(KEYSEQ_POOL_POISON)
        if (p != nullptr)
            ASAN_UNPOISON_MEMORY_REGION(p, kBlockSize);
#endif
    }

    char* m_pStart = nullptr;
    char* m_pEnd = nullptr;
    // The chain is the blocks from m_pHead on (given back, last first), then every block from
    // m_pFresh to m_pEnd, never handed out, whose link words are not written. Both guarded by
    // m_nLock.
    void* m_pHead = nullptr;
    char* m_pFresh = nullptr;
    int64_t m_nBlockSize = kBlockSize;
    // Starts free (1); for the global pool before any code runs (see pool_mem.cpp).
    RixLockWord m_nLock{1};
    const PoolHeap* m_pHeap;
};

// The one process-wide pool, set up by the first static initialiser of the runtime.
CPoolMem& GetMemManager();

// The memory operations, acting on the global pool. The object family reaches them through its
// first five virtual operations; plain code calls these directly.
void* RixAllocMem(int64_t size);            // never null: exhausted memory ends the process
void* RixTryAllocMem(int64_t size);         // null when the heap refuses
void* RixReallocMem(void* p, int64_t size); // never null; `p` must not be null
void RixFreeMem(void* p);                   // null is ignored

// Ends the process with status -1 through the orderly exit, so exit handlers still run.
[[noreturn]] void RixOutOfMemory();
