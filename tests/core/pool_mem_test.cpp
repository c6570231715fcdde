// The block pool: routing by size and address, LIFO reuse, resizing, exhaustion, heap failure
// and concurrent use. Most tests use a private pool so that the chain's state is known exactly;
// the death tests act on the global pool in a child process.
#include "runtime/core/pool_mem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "tests/support/exit_status.h"
#include "tests/support/process_exit.h"

namespace {

// A heap that counts what passes through it and can be told to refuse.
struct TestHeap {
    static inline std::atomic<int> allocs{0};
    static inline std::atomic<int> frees{0};
    static inline std::atomic<bool> refuse{false};
    static void* Alloc(size_t n) {
        if (refuse)
            return nullptr;
        ++allocs;
        return std::malloc(n);
    }
    static void* Realloc(void* p, size_t n) { return refuse ? nullptr : std::realloc(p, n); }
    static void Free(void* p) {
        ++frees;
        std::free(p);
    }
    static const PoolHeap& Get() {
        static const PoolHeap heap{&Alloc, &Realloc, &Free};
        return heap;
    }
    static void Clear() {
        allocs = 0;
        frees = 0;
        refuse = false;
    }
};

class PoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestHeap::Clear();
        pool = new CPoolMem(TestHeap::Get());
    }
    void TearDown() override {
        delete pool;
        TestHeap::Clear();
    }
    CPoolMem* pool = nullptr;
};

TEST_F(PoolTest, RequestsUpToOneBlockComeFromThePoolLargerOnesFromTheHeap) {
    struct Case {
        int64_t size;
        bool fromPool;
    };
    const Case cases[] = {{0, true},   {1, true},    {64, true},
                          {256, true}, {257, false}, {4096, false}};
    for (const Case& c : cases) {
        void* p = pool->PoolAlloc(c.size);
        ASSERT_NE(p, nullptr) << c.size;
        EXPECT_EQ(pool->Contains(p), c.fromPool) << "size " << c.size;
        pool->PoolFree(p);
    }
}

TEST_F(PoolTest, FreshChainRunsInAddressOrder) {
    char* a = static_cast<char*>(pool->PoolAlloc(1));
    char* b = static_cast<char*>(pool->PoolAlloc(1));
    char* c = static_cast<char*>(pool->PoolAlloc(1));
    EXPECT_EQ(b - a, CPoolMem::kBlockSize);
    EXPECT_EQ(c - b, CPoolMem::kBlockSize);
}

TEST_F(PoolTest, ReleasedBlocksAreHandedOutLastInFirstOut) {
    void* a = pool->PoolAlloc(10);
    void* b = pool->PoolAlloc(10);
    pool->PoolFree(a);
    pool->PoolFree(b);
    EXPECT_EQ(pool->PoolAlloc(10), b);
    EXPECT_EQ(pool->PoolAlloc(10), a);
}

// Given-back blocks come before the blocks never handed out, which then go on in address order
// from where they stopped.
TEST_F(PoolTest, ReleasedBlocksComeBeforeTheUntouchedRest) {
    char* a = static_cast<char*>(pool->PoolAlloc(1));
    char* b = static_cast<char*>(pool->PoolAlloc(1));
    pool->PoolFree(a);
    EXPECT_EQ(pool->PoolAlloc(1), a);
    EXPECT_EQ(pool->PoolAlloc(1), b + CPoolMem::kBlockSize);
    EXPECT_EQ(pool->PoolAlloc(1), b + 2 * CPoolMem::kBlockSize);
}

TEST_F(PoolTest, ExhaustedChainFallsBackToTheHeapAndReusesTheNextFreedBlock) {
    std::vector<void*> blocks;
    for (int64_t i = 0; i < CPoolMem::kBlockCount; ++i) {
        void* p = pool->PoolAlloc(256);
        ASSERT_TRUE(pool->Contains(p)) << "block " << i;
        if (!blocks.empty()) {
            ASSERT_EQ(static_cast<char*>(p) - static_cast<char*>(blocks.back()),
                      CPoolMem::kBlockSize)
                << "block " << i;
        }
        blocks.push_back(p);
    }
    const int heapBefore = TestHeap::allocs;
    void* overflow = pool->PoolAlloc(8);
    ASSERT_NE(overflow, nullptr);
    EXPECT_FALSE(pool->Contains(overflow));
    EXPECT_EQ(TestHeap::allocs, heapBefore + 1);

    void* back = blocks[12345];
    pool->PoolFree(back);
    EXPECT_EQ(pool->PoolAlloc(100), back);

    pool->PoolFree(overflow);
    for (void* p : blocks)
        pool->PoolFree(p);
}

TEST_F(PoolTest, HeapAddressesGoBackToTheHeapNeverOntoTheChain) {
    void* big = pool->PoolAlloc(1000);
    ASSERT_FALSE(pool->Contains(big));
    const int freesBefore = TestHeap::frees;
    pool->PoolFree(big);
    EXPECT_EQ(TestHeap::frees, freesBefore + 1);
    // Had the heap block been pushed, the next small request would return it.
    void* next = pool->PoolAlloc(1);
    EXPECT_TRUE(pool->Contains(next));
}

TEST_F(PoolTest, ReallocInsideTheBlockKeepsTheAddress) {
    void* p = pool->PoolAlloc(10);
    EXPECT_EQ(pool->PoolRealloc(p, 200), p);
    EXPECT_EQ(pool->PoolRealloc(p, 256), p);
}

TEST_F(PoolTest, ReallocBeyondTheBlockMovesAllOfItToTheHeapAndFreesTheBlock) {
    auto* p = static_cast<unsigned char*>(pool->PoolAlloc(10));
    for (int i = 0; i < 256; ++i)
        p[i] = static_cast<unsigned char>(i ^ 0x5A);
    auto* q = static_cast<unsigned char*>(pool->PoolRealloc(p, 300));
    ASSERT_NE(q, nullptr);
    EXPECT_FALSE(pool->Contains(q));
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(q[i], static_cast<unsigned char>(i ^ 0x5A)) << "byte " << i;
    EXPECT_EQ(pool->PoolAlloc(1), p) << "the old block is back on the chain";
    pool->PoolFree(q);
}

TEST_F(PoolTest, HeapBlocksStayOnTheHeapWhenTheyShrink) {
    auto* p = static_cast<char*>(pool->PoolAlloc(1000));
    std::memset(p, 'x', 1000);
    auto* q = static_cast<char*>(pool->PoolRealloc(p, 100));
    ASSERT_NE(q, nullptr);
    EXPECT_FALSE(pool->Contains(q));
    EXPECT_EQ(std::memcmp(q, std::string(100, 'x').data(), 100), 0);
    pool->PoolFree(q);
}

TEST_F(PoolTest, RefusingHeapYieldsNullFromPoolAllocAndLeavesReallocSourceIntact) {
    void* small = pool->PoolAlloc(16);
    std::memset(small, 7, 256);
    TestHeap::refuse = true;
    EXPECT_EQ(pool->PoolAlloc(1000), nullptr);
    EXPECT_EQ(pool->PoolRealloc(small, 1000), nullptr);
    TestHeap::refuse = false;
    EXPECT_EQ(static_cast<unsigned char*>(small)[255], 7);
    pool->PoolFree(small);
}

TEST(GlobalPool, MemoryOperationsRouteThroughTheGlobalPool) {
    void* p = RixAllocMem(32);
    EXPECT_TRUE(GetMemManager().Contains(p));
    void* q = RixReallocMem(p, 4000);
    EXPECT_FALSE(GetMemManager().Contains(q));
    RixFreeMem(q);
    RixFreeMem(nullptr); // ignored
    void* t = RixTryAllocMem(8);
    EXPECT_NE(t, nullptr);
    RixFreeMem(t);
}

const PoolHeap& RefusingHeap() {
    static const PoolHeap heap{[](size_t) -> void* { return nullptr; },
                               [](void*, size_t) -> void* { return nullptr; },
                               [](void* p) { std::free(p); }};
    return heap;
}

TEST(GlobalPoolDeathTest, HeapFailureInAllocMemEndsTheProcessWithMinusOne) {
    EXPECT_PROCESS_EXIT(
        {
            GetMemManager().ReplaceHeapForTesting(RefusingHeap());
            RixAllocMem(100000);
        },
        ExitedWithMinusOne, "");
}

TEST(GlobalPoolDeathTest, HeapFailureInReallocMemEndsTheProcessWithMinusOne) {
    EXPECT_PROCESS_EXIT(
        {
            void* p = RixAllocMem(8);
            GetMemManager().ReplaceHeapForTesting(RefusingHeap());
            RixReallocMem(p, 100000);
        },
        ExitedWithMinusOne, "");
}

TEST(GlobalPoolDeathTest, TryAllocMemReportsHeapFailureAsNull) {
    // Runs in a child too, because the global pool's heap is replaced.
    EXPECT_PROCESS_EXIT(
        {
            GetMemManager().ReplaceHeapForTesting(RefusingHeap());
            std::exit(RixTryAllocMem(100000) == nullptr ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
}

// The global pool is built this way: constant-initialised (this line does not compile unless
// that constructor is a constant expression), so its lock word is free before any code runs,
// and given its area by the first initialiser. Before that it serves every request from the
// heap; afterwards from the area.
constinit CPoolMem g_DeferredPool{CPoolMem::DeferredArea{}};

TEST(PoolSetUp, APoolWithoutItsAreaPassesRequestsToTheHeap) {
    void* before = g_DeferredPool.PoolAlloc(16);
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(g_DeferredPool.Contains(before));
    g_DeferredPool.PoolFree(before);
    g_DeferredPool.TakeArea();
    void* after = g_DeferredPool.PoolAlloc(16);
    EXPECT_TRUE(g_DeferredPool.Contains(after));
    g_DeferredPool.PoolFree(after);
    EXPECT_EQ(&g_DeferredPool.Heap(), &ProcessPoolHeap());
}

// The global pool was set up before any test's static object and serves from its area.
TEST(PoolSetUp, TheGlobalPoolHasItsAreaBeforeMainRuns) {
    void* p = RixAllocMem(32);
    EXPECT_TRUE(GetMemManager().Contains(p));
    RixFreeMem(p);
}

TEST(PoolDeathTest, RefusedAreaAtSetUpEndsTheProcessWithMinusOne) {
    EXPECT_PROCESS_EXIT({ CPoolMem pool(RefusingHeap()); }, ExitedWithMinusOne, "");
}

// Two threads take and give back blocks as fast as they can; every block a thread holds is
// stamped with its id, and a block handed to both at once would show the other's stamp.
TEST(PoolConcurrency, TwoThreadsNeverHoldTheSameBlock) {
    CPoolMem pool(ProcessPoolHeap());
    std::atomic<bool> collision{false};
    auto worker = [&](unsigned char id) {
        std::vector<unsigned char*> held;
        for (int round = 0; round < 2000; ++round) {
            for (int i = 0; i < 16; ++i) {
                auto* p = static_cast<unsigned char*>(pool.PoolAlloc(64));
                std::memset(p, id, 64);
                held.push_back(p);
            }
            for (unsigned char* p : held) {
                for (int i = 0; i < 64; ++i)
                    if (p[i] != id)
                        collision = true;
                pool.PoolFree(p);
            }
            held.clear();
        }
    };
    std::thread a(worker, 0xA1);
    std::thread b(worker, 0xB2);
    a.join();
    b.join();
    EXPECT_FALSE(collision);
}

} // namespace
