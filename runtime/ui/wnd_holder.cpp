// The counted holder of a native window.
#include "runtime/ui/wnd_holder.h"

#include "runtime/ui/listener_wnd.h"

const ClassNameInfo* CMfcWndObject::ClassRecord() {
    static const ClassNameInfo info = MakeClassNameInfo("CMfcWndObject");
    return &info;
}

void CMfcWndObject::OnFinalRelease() {
    if (m_pWnd != nullptr && m_pWnd->HasWindow())
        m_pWnd->DestroyWindow();
    if (m_bSelfDeleting != 0)
        m_pWnd = nullptr;
}

CMfcWndObject::~CMfcWndObject() {
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
    delete m_pWnd;
}

void CMfcWndObject::SetFont(HFONT font) {
    HFONT previous = m_hFont;
    m_hFont = font;
    if (m_pWnd != nullptr && m_pWnd->HasWindow())
        m_pWnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (previous != nullptr && previous != font)
        DeleteObject(previous);
}
