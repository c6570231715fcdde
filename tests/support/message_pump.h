// Pumps the calling thread's messages until a condition holds or a generous time limit
// passes. Low-level hooks are called on the installing thread while it retrieves messages,
// so a test that installs one pumps while input is injected elsewhere.
#pragma once

#include "platform/platform.h"

template <typename Condition> bool PumpUntil(Condition done, DWORD limit_ms = 5000) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (GetTickCount64() - start > limit_ms)
            return false;
        Sleep(1);
    }
}

// Pumps for a while regardless, so that late events have a chance to show up.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
