// The thread-local slot for the window object whose window is being created.
#include "runtime/ui/native/creating_window.h"

namespace {
thread_local CRixWnd* t_pCreating = nullptr; // per thread, so no lock
} // namespace

CRixCreatingWindow::CRixCreatingWindow(CRixWnd* wnd) : m_pPrevious(t_pCreating) {
    t_pCreating = wnd;
}

CRixCreatingWindow::~CRixCreatingWindow() {
    t_pCreating = m_pPrevious;
}

CRixWnd* CRixCreatingWindow::Take() {
    CRixWnd* wnd = t_pCreating;
    t_pCreating = nullptr;
    return wnd;
}
