// Message pumping for framework tests: each queued message goes through the pre-translation
// walk of the application loop (up the parent chain), then TranslateMessage and dispatch, as
// in CRixWinApp::Run.
#pragma once

#include "platform/platform.h"
#include "runtime/shell/win_app.h"

namespace keyseq_test {

// Handles every message waiting in the calling thread's queue.
inline void PumpTranslated() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace keyseq_test
