// Global memory blocks and streams on them for the simulated backend.
#include "platform/sim/sim_global_memory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_heap.h"

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    int locks = 0;
};

std::mutex g_lock;
// Keyed by handle; handles are never reused, so a stale one is told apart from a live one.
std::unordered_map<uintptr_t, Block> g_blocks;
uintptr_t g_next_handle = 0x50000;

Block* Find(HGLOBAL block) {
    auto it = g_blocks.find(reinterpret_cast<uintptr_t>(block));
    return it == g_blocks.end() ? nullptr : &it->second;
}

class GlobalStream final : public IStream {
public:
    GlobalStream(HGLOBAL block, bool owns) : m_block(block), m_owns(owns) {}
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override {
        ULONG left = --m_refs;
        if (left == 0) {
            if (m_owns)
                GlobalFree(m_block);
            delete this;
        }
        return left;
    }

private:
    ~GlobalStream() = default;
    HGLOBAL m_block;
    bool m_owns;
    ULONG m_refs = 1;
};

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    // Zero bytes is a valid block on Windows too; give it one byte of storage.
    void* data = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (data == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    (void)flags; // every block is zeroed here; nothing moves
    std::lock_guard<std::mutex> guard(g_lock);
    uintptr_t handle = g_next_handle;
    g_next_handle += 8;
    g_blocks[handle] = Block{data, bytes, 0};
    return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID GlobalLock(HGLOBAL block) {
    std::lock_guard<std::mutex> guard(g_lock);
    Block* b = Find(block);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->locks;
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL block) {
    std::lock_guard<std::mutex> guard(g_lock);
    Block* b = Find(block);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (b->locks > 0)
        --b->locks;
    SetLastError(ERROR_SUCCESS);
    return b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL block) {
    std::lock_guard<std::mutex> guard(g_lock);
    Block* b = Find(block);
    return b == nullptr ? 0 : b->size;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_blocks.find(reinterpret_cast<uintptr_t>(block));
    if (it == g_blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return block;
    }
    std::free(it->second.data);
    g_blocks.erase(it);
    return nullptr;
}

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL delete_on_release, LPSTREAM* stream) {
    if (stream == nullptr)
        return E_INVALIDARG;
    *stream = nullptr;
    if (block == nullptr) {
        block = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (block == nullptr)
            return E_OUTOFMEMORY;
        delete_on_release = TRUE;
    } else {
        std::lock_guard<std::mutex> guard(g_lock);
        if (Find(block) == nullptr)
            return E_INVALIDARG;
    }
    *stream = new GlobalStream(block, delete_on_release != FALSE);
    return S_OK;
}

int sim::LiveGlobalBlocks() {
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(g_blocks.size());
}
