// The message loop with pre-translation up the parent chain and idle calls.
#include "runtime/shell/win_app.h"

#include <map>

namespace {
// Not in the platform subset, since nothing else handles them.
constexpr UINT kNonClientMouseMove = 0x00A0;
constexpr UINT kSystemTimer = 0x0118; // the caret's blink timer

CRixWinApp* g_pApp = nullptr; // main thread only
// Main thread only: windows are created, translated and destroyed there.
std::map<HWND, CRixPreTranslator*>& Translators() {
    static std::map<HWND, CRixPreTranslator*> translators;
    return translators;
}
} // namespace

void SetWindowPreTranslator(HWND hwnd, CRixPreTranslator* translator) {
    if (translator == nullptr)
        Translators().erase(hwnd);
    else
        Translators()[hwnd] = translator;
}

CRixWinApp* RixGetApp() {
    return g_pApp;
}

int CRixWinApp::WinMain(HINSTANCE instance) {
    m_hInstance = instance;
    g_pApp = this;
    int status;
    if (!InitInstance()) {
        if (m_hMainWnd != nullptr && IsWindow(m_hMainWnd))
            DestroyWindow(m_hMainWnd);
        m_hMainWnd = nullptr;
        status = ExitInstance();
    } else {
        status = Run();
    }
    return status;
}

CRixWinApp::CRixWinApp() {
    g_pApp = this;
}

CRixWinApp::~CRixWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CRixWinApp::CheckMainWindow() {
    if (m_hMainWnd != nullptr && !IsWindow(m_hMainWnd)) {
        m_hMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

BOOL WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = GetParent(hwnd)) {
        auto found = Translators().find(hwnd);
        if (found != Translators().end() && found->second->PreTranslateQueued(msg))
            return TRUE;
        // A translator may destroy windows; the chain ends with them.
        if (hwnd == stop || !IsWindow(hwnd))
            break;
    }
    return FALSE;
}

BOOL CRixWinApp::IsIdleMessage(const MSG* msg) {
    if (msg->message == WM_MOUSEMOVE || msg->message == kNonClientMouseMove) {
        if (msg->message == m_nMsgLast && msg->pt.x == m_ptCursorLast.x &&
            msg->pt.y == m_ptCursorLast.y)
            return FALSE;
        m_ptCursorLast = msg->pt;
        m_nMsgLast = msg->message;
        return TRUE;
    }
    return msg->message != WM_PAINT && msg->message != WM_TIMER && msg->message != kSystemTimer;
}

BOOL CRixWinApp::PreTranslateMessage(MSG* msg) {
    return WalkPreTranslateTree(m_hMainWnd, msg);
}

int CRixWinApp::Run() {
    MSG msg;
    bool idle = true;
    LONG count = 0;
    for (;;) {
        while (idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(count++))
                idle = false;
            CheckMainWindow();
        }
        do {
            BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                m_nExitCode = static_cast<int>(msg.wParam);
                return ExitInstance();
            }
            if (got > 0 && !PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            CheckMainWindow();
            if (got > 0 && IsIdleMessage(&msg)) {
                idle = true;
                count = 0;
            }
        } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}
