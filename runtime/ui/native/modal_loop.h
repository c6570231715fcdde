// CRixModalLoop: the message loop that runs on the user-interface thread while a modal window
// (a dialog) is open, in place of the application's loop, so that nothing of the main loop's
// work is lost meanwhile.
//
// Each queued message is first offered to the same pre-translation as in the application's
// loop (the application object's PreTranslateMessage when there is one, which walks the
// translators up the parent chain; the walk alone otherwise), then to IsDialogMessageW for the
// modal window (Tab, Enter and Esc), and is otherwise translated and dispatched. Sent messages,
// timers and the other windows of the thread keep working.
//
// The loop ends when End is called (from a handler the loop dispatched, or before Run, from
// the window's initialisation), when the modal window is gone, or when WM_QUIT arrives; the
// quit message is posted again with its code so that the loop outside ends too. Loops nest: a
// dialog opened from a dialog runs its own loop inside a dispatch of the outer one.
//
// User-interface thread only.
#pragma once

#include "platform/platform.h"

class CRixModalLoop {
public:
    // The result of a loop ended by WM_QUIT or by the loss of its window.
    static constexpr int kAborted = -1;

    // Forgets an earlier end; call before creating the modal window.
    void Reset();
    // Runs until the loop ends; answers the result given to End, or kAborted. A window that is
    // not visible is shown once the queue first runs empty.
    int Run(HWND window);
    // Ends the loop with result once the current message is handled.
    void End(int result);
    // Whether Run is running (and End has not been called).
    bool IsRunning() const { return m_bRunning && !m_bEnded; }

private:
    bool m_bRunning = false;
    bool m_bEnded = false;
    int m_nResult = kAborted;
};

// The pre-translation of the application's loop, for any loop of the user-interface thread:
// TRUE when a translator consumed msg.
BOOL RixPreTranslateQueued(MSG* msg);
