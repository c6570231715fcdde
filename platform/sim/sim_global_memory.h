// Global memory blocks and a stream on one, as the picture decoder takes its bytes on Windows.
//
// A block is heap memory with a lock count; GlobalLock gives its address (a movable block does
// not move here). The stream only holds the block: nothing in the simulation reads it, since
// GDI+ decoding is not simulated, so it offers the reference counting and no more.
#pragma once

#include "platform/sim/sim_com.h"
#include "platform/sim/sim_types.h"

typedef HANDLE HGLOBAL;

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
// Null when the block was freed; the block itself when it is invalid, as on Windows.
HGLOBAL GlobalFree(HGLOBAL block);

struct IStream {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IStream() = default;
};
typedef IStream* LPSTREAM;

// A null block makes the stream allocate its own, which it always frees.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL delete_on_release, LPSTREAM* stream);

namespace sim {
// Global blocks allocated and not yet freed, for tests that check that nothing leaks.
int LiveGlobalBlocks();
} // namespace sim
