// Whether the Windows test program runs under Wine, for the few tests that pin a known
// difference between Wine and Windows (each says which). Always false on the host.
#pragma once

#include "platform/platform.h"

inline bool RunningUnderWine() {
#if defined(KEYSEQ_PLATFORM_WIN32)
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}
