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

constexpr PoolHeap kProcessHeap{&ProcessHeapAlloc, &ProcessHeapRealloc, &ProcessHeapFree};

} // namespace

const PoolHeap& ProcessPoolHeap() {
    return kProcessHeap;
}

void RixOutOfMemory() {
    std::exit(-1);
}

CPoolMem::CPoolMem(const PoolHeap& heap) : m_pHeap(&heap) {
    char* area = static_cast<char*>(m_pHeap->Alloc(static_cast<size_t>(kAreaSize)));
    if (area == nullptr)
        RixOutOfMemory();
    m_pStart = area;
    m_pEnd = area + kAreaSize;
    m_pHead = area;
    // Address order: block 0 is handed out first, block 32,767 last.
    for (int64_t i = 0; i < kBlockCount - 1; ++i)
        *reinterpret_cast<void**>(area + i * kBlockSize) = area + (i + 1) * kBlockSize;
    *reinterpret_cast<void**>(area + (kBlockCount - 1) * kBlockSize) = nullptr;
    for (int64_t i = 0; i < kBlockCount; ++i)
        Poison(area + i * kBlockSize);
}

CPoolMem::~CPoolMem() {
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
// outlive all of them, so it is built by the earliest static initialiser the toolchain offers
// and torn down by the last exit handler.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)
#pragma init_seg(lib)
static CPoolMem g_PoolMem;
#else
__attribute__((init_priority(101))) static CPoolMem g_PoolMem;
#endif

CPoolMem& GetMemManager() {
    return g_PoolMem;
}

void* RixAllocMem(int64_t size) {
    void* p = g_PoolMem.PoolAlloc(size);
    if (p == nullptr)
        RixOutOfMemory();
    return p;
}

void* RixTryAllocMem(int64_t size) {
    return g_PoolMem.PoolAlloc(size);
}

void* RixReallocMem(void* p, int64_t size) {
    void* q = g_PoolMem.PoolRealloc(p, size);
    if (q == nullptr)
        RixOutOfMemory();
    return q;
}

void RixFreeMem(void* p) {
    if (p != nullptr)
        g_PoolMem.PoolFree(p);
}
