// The modal message loop.
#include "runtime/ui/native/modal_loop.h"

#include "runtime/shell/win_app.h"

BOOL RixPreTranslateQueued(MSG* msg) {
    if (CRixWinApp* app = RixGetApp())
        return app->PreTranslateMessage(msg);
    return WalkPreTranslateTree(nullptr, msg);
}

void CRixModalLoop::Reset() {
    m_bEnded = false;
    m_nResult = kAborted;
}

void CRixModalLoop::End(int result) {
    m_bEnded = true;
    m_nResult = result;
}

int CRixModalLoop::Run(HWND window) {
    m_bRunning = true;
    bool show_when_idle = !IsWindowVisible(window);
    MSG msg;
    while (!m_bEnded) {
        if (!IsWindow(window)) {
            m_nResult = kAborted;
            break;
        }
        if (show_when_idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            show_when_idle = false;
            ShowWindow(window, SW_SHOWNORMAL);
            UpdateWindow(window);
            continue;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_nResult = kAborted;
            break;
        }
        if (got < 0) {
            m_nResult = kAborted;
            break;
        }
        if (!RixPreTranslateQueued(&msg) && !IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    m_bRunning = false;
    m_bEnded = false;
    return m_nResult;
}
