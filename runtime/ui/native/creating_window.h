// CRixCreatingWindow: the window object whose window is being created on this thread. Our
// window procedure binds it to the first unknown window that receives a message, so the
// object sees every message from the very first (WM_NCCREATE, or WM_GETMINMAXINFO before it
// on Windows) and no message is lost between CreateWindowExW and the return.
//
// The scope restores the previous value when it ends, so a window created while another is
// being created (a child made in WM_CREATE) does not disturb the outer creation.
#pragma once

class CRixWnd;

class CRixCreatingWindow {
public:
    explicit CRixCreatingWindow(CRixWnd* wnd);
    ~CRixCreatingWindow();
    CRixCreatingWindow(const CRixCreatingWindow&) = delete;
    CRixCreatingWindow& operator=(const CRixCreatingWindow&) = delete;

    // The object waiting for its window on this thread, cleared by the call; null if none.
    static CRixWnd* Take();

private:
    CRixWnd* m_pPrevious;
};
