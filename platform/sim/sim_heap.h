// Process heap and process exit of the simulated backend. The heap is the C library's
// allocator; a heap handle is a token, since there is only the one process heap.
#pragma once

#include "platform/sim/sim_types.h"

HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
LPVOID HeapReAlloc(HANDLE heap, DWORD flags, LPVOID mem, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID mem);

[[noreturn]] void ExitProcess(UINT code);
DWORD GetLastError();
void SetLastError(DWORD code);
