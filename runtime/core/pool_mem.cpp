// Set-up and teardown of the block pool, resizing, and the global pool with its operations.
#include "runtime/core/pool_mem.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/platform.h"

namespace {

void* ProcessHeapAlloc(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}
void* ProcessHeapRealloc(void* p, size_t bytes) {
    return HeapReAlloc(GetProcessHeap(), 0, p, bytes);
}
void ProcessHeapFree(void* p) {
    HeapFree(GetProcessHeap(), 0, p);
}

} // namespace

extern const PoolHeap kProcessPoolHeap{&ProcessHeapAlloc, &ProcessHeapRealloc, &ProcessHeapFree};

const PoolHeap& ProcessPoolHeap() {
    return kProcessPoolHeap;
}

void RixOutOfMemory() {
    std::exit(-1);
}

CPoolMem::CPoolMem(const PoolHeap& heap) : m_pHeap(&heap) {
    TakeArea();
}

void CPoolMem::TakeArea() {
    char* area = static_cast<char*>(m_pHeap->Alloc(static_cast<size_t>(kAreaSize)));
    if (area == nullptr)
        RixOutOfMemory();
    m_pStart = area;
    m_pEnd = area + kAreaSize;
    // The whole area is the untouched tail of the chain: block 0 is handed out first, block
    // 32,767 last. No page of it is written here.
    m_pHead = nullptr;
    m_pFresh = area;
#if defined(KEYSEQ_POOL_POISON)
    ASAN_POISON_MEMORY_REGION(area, kAreaSize);
#endif
}

CPoolMem::~CPoolMem() {
    if (m_pStart == nullptr)
        return;
#if defined(KEYSEQ_POOL_POISON)
    ASAN_UNPOISON_MEMORY_REGION(m_pStart, kAreaSize);
#endif
    m_pHeap->Free(m_pStart);
}

void* CPoolMem::PoolRealloc(void* p, int64_t size) {
    if (!Contains(p))
        return m_pHeap->Realloc(p, static_cast<size_t>(size));
    if (size <= m_nBlockSize)
        return p;
    void* q = m_pHeap->Alloc(static_cast<size_t>(size));
    if (q == nullptr)
        return nullptr;
    // The pool keeps no record of how much of the block was asked for, so all of it moves.
    std::memcpy(q, p, static_cast<size_t>(m_nBlockSize));
    PushBlock(p);
    return q;
}

// The global pool must exist before any runtime object of static storage is constructed and
// outlive all of them, and the runtime instance (runtime/shell/rix_app_instance.cpp) must come
// right after it. So the pool is built in two steps:
//
// - the object itself is constant-initialised: its fields, the lock word at 1 among them, are
//   in the program's image, so even code that runs before every initialiser finds a free lock
//   and a pool that passes requests to the heap;
// - its area is taken by the first dynamic initialiser of the program, and given back by the
//   last exit handler: init_priority(101) (the instance has 102) with GCC and Clang, and with
//   MSVC the compiler's initialisation segment, which runs before the library segment of the
//   instance whatever the link order.
//
// The pool sits in a union so that no destructor of its own is registered at some other place
// in the order; PoolLifetime ends it.
namespace {

union PoolStorage {
    CPoolMem pool;
    constexpr PoolStorage() : pool(CPoolMem::DeferredArea{}) {}
    ~PoolStorage() {}
};
constinit PoolStorage g_Pool;

struct PoolLifetime {
    PoolLifetime() { g_Pool.pool.TakeArea(); }
    ~PoolLifetime() { g_Pool.pool.~CPoolMem(); }
    PoolLifetime(const PoolLifetime&) = delete;
    PoolLifetime& operator=(const PoolLifetime&) = delete;
};

} // namespace

#if defined(_MSC_VER)
#pragma warning(disable : 4074)
#pragma init_seg(compiler)
static PoolLifetime g_PoolLifetime;
#else
__attribute__((init_priority(101))) static PoolLifetime g_PoolLifetime;
#endif

CPoolMem& GetMemManager() {
    return g_Pool.pool;
}

void* RixAllocMem(int64_t size) {
    void* p = g_Pool.pool.PoolAlloc(size);
    if (p == nullptr)
        RixOutOfMemory();
    return p;
}

void* RixTryAllocMem(int64_t size) {
    return g_Pool.pool.PoolAlloc(size);
}

void* RixReallocMem(void* p, int64_t size) {
    void* q = g_Pool.pool.PoolRealloc(p, size);
    if (q == nullptr)
        RixOutOfMemory();
    return q;
}

void RixFreeMem(void* p) {
    if (p != nullptr)
        g_Pool.pool.PoolFree(p);
}
