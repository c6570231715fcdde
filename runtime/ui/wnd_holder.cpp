// The counted holder of a native window.
#include "runtime/ui/wnd_holder.h"

#include "runtime/ui/listener_wnd.h"

const ClassNameInfo* CMfcWndObject::ClassRecord() {
    static const ClassNameInfo info = MakeClassNameInfo("CMfcWndObject");
    return &info;
}

CMfcWndObject::CMfcWndObject(DWORD style, DWORD ex_style, CRixListenerWnd* wnd)
    : m_nStyle(style), m_nExStyle(ex_style), m_pWnd(wnd) {
    if (wnd != nullptr)
        wnd->SetHolder(this);
}

void CMfcWndObject::OnFinalRelease() {
    // A self-deleting native object goes with its window and clears m_pWnd on its way.
    if (m_pWnd != nullptr && m_pWnd->HasWindow())
        m_pWnd->DestroyWindow();
}

CMfcWndObject::~CMfcWndObject() {
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
    if (m_pWnd != nullptr) {
        m_pWnd->SetHolder(nullptr);
        CRixWnd::Delete(m_pWnd);
    }
}

void CMfcWndObject::ForgetSelfDeletingWnd(CRixListenerWnd* wnd) {
    if (m_bSelfDeleting == 0 || m_pWnd != wnd)
        return;
    m_pWnd = nullptr;
    wnd->SetHolder(nullptr);
    CRixWnd::Delete(wnd);
}

void CMfcWndObject::SetFont(HFONT font) {
    HFONT previous = m_hFont;
    m_hFont = font;
    if (m_pWnd != nullptr && m_pWnd->HasWindow())
        m_pWnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (previous != nullptr && previous != font)
        DeleteObject(previous);
}
