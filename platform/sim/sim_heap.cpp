// Process heap of the simulated backend, over malloc/realloc/free.
#include "platform/sim/sim_heap.h"

#include <cstdlib>
#include <unistd.h>

namespace {
// Any non-null value will do: there is only one heap and nobody dereferences the handle.
int g_process_heap_token;
thread_local DWORD t_last_error = 0;
} // namespace

HANDLE GetProcessHeap() {
    return &g_process_heap_token;
}

LPVOID HeapAlloc(HANDLE, DWORD, SIZE_T bytes) {
    // Windows hands out a valid block for a request of 0 bytes; malloc(0) may return null.
    return std::malloc(bytes == 0 ? 1 : bytes);
}

LPVOID HeapReAlloc(HANDLE, DWORD, LPVOID mem, SIZE_T bytes) {
    // HeapReAlloc of a null block is an error on Windows; keep that.
    if (mem == nullptr)
        return nullptr;
    return std::realloc(mem, bytes == 0 ? 1 : bytes);
}

BOOL HeapFree(HANDLE, DWORD, LPVOID mem) {
    std::free(mem);
    return TRUE;
}

void ExitProcess(UINT code) {
    _exit(static_cast<int>(code));
}

DWORD GetLastError() {
    return t_last_error;
}
void SetLastError(DWORD code) {
    t_last_error = code;
}
