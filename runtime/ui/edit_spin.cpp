// The edit box's spin button.
#include "runtime/ui/edit_spin.h"

#include "runtime/ui/edit.h"

BOOL CEditSpin::Create(DWORD style, HWND parent, int id) {
    // The up-down class comes with the common controls, which must be loaded first.
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    return CreateEx(0, UPDOWN_CLASSW, TEXT(""), style, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

BOOL CEditSpin::OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    // The spin button paints with its edit's colours.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && m_pEdit != nullptr) {
        *result =
            reinterpret_cast<LRESULT>(m_pEdit->m_Colours.Apply(reinterpret_cast<HDC>(wparam)));
        return TRUE;
    }
    if (message != WM_NOTIFY)
        return FALSE;
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header->code != UDN_DELTAPOS)
        return FALSE;
    const auto* updown = reinterpret_cast<const NMUPDOWN*>(lparam);
    // The edit may go away in the handler, and this object with it: nothing after the call.
    *result = 0;
    if (m_pEdit != nullptr)
        m_pEdit->OnSpinPressed(updown->iDelta);
    return TRUE;
}
