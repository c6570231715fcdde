// CRixWinApp, our own application object and message loop: what a window framework's
// application class provides, written over the Win32 subset so that it runs unchanged on both
// backends.
//
// WinMain calls InitInstance; when that fails the main window (if any) is destroyed and the
// status is ExitInstance's. Otherwise Run offers each message to PreTranslateMessage, which
// walks from the target window up the parent chain to the main window asking each window that
// has a translator registered; unconsumed messages are translated and dispatched. While the
// queue is empty OnIdle is called with a count that starts at 0 after each message that
// IsIdleMessage accepts and grows by one per call, for as long as it returns nonzero. When the main
// window is destroyed the quit message is posted with code 0; the loop ends on the quit message and
// the status is ExitInstance's, by default the quit code.
//
// Everything here runs on the main thread.
#pragma once

#include "platform/platform.h"

// A window's pre-translation, for the forms of the window framework (accelerators, keys).
class CRixPreTranslator {
public:
    // TRUE consumes the message. The translator may destroy windows, its own included; it
    // stays callable for the length of the call (the window objects hold themselves alive).
    virtual BOOL PreTranslateQueued(MSG* msg) = 0;

protected:
    ~CRixPreTranslator() = default;
};

// Registers (or, with null, removes) the translator of a window. Main thread only.
void SetWindowPreTranslator(HWND hwnd, CRixPreTranslator* translator);

// Offers msg to the translators from its window up the parent chain, ending after stop (or at
// the top when stop is null); TRUE when one consumed it. The application's loop and the modal
// loops of dialogs share this walk. Main thread only.
BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

class CRixWinApp;
// The application object whose WinMain is running, or null.
CRixWinApp* RixGetApp();

class CRixWinApp {
public:
    // The newest application object is the one RixGetApp gives, as with the framework's.
    CRixWinApp();
    virtual ~CRixWinApp();
    CRixWinApp(const CRixWinApp&) = delete;
    CRixWinApp& operator=(const CRixWinApp&) = delete;

    // The entry: start, run, end; the result is the process exit status.
    int WinMain(HINSTANCE instance);

    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The framework's own idle work; TRUE asks for another call. The base has one round of
    // work at count 0 and none after it.
    virtual BOOL OnIdle(LONG count) { return count == 0 ? TRUE : FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }
    // Whether the message just handled starts a new idle phase (count 0, idle calls resumed).
    // Paint and timer messages (the system's caret timer included) and a mouse move to the
    // place of the last one do not: they come all the time without anything having changed, and
    // a clock ticking every 100 ms would otherwise keep the idle work at its first count.
    virtual BOOL IsIdleMessage(const MSG* msg);

    HWND m_hMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;

protected:
    // Posts the quit message once the main window is gone.
    void CheckMainWindow();

    int m_nExitCode = 0;

private:
    // The last mouse move that counted, for IsIdleMessage; no message yet at first.
    POINT m_ptCursorLast{0, 0};
    UINT m_nMsgLast = 0;
};
