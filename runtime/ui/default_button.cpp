// Default push buttons: recognising one and recording it in its form.
#include "runtime/ui/default_button.h"

#include "runtime/ui/form_wnd.h"

bool IsButtonWindow(HWND hwnd) {
    WCHAR name[16] = {};
    const int length = GetClassNameW(hwnd, name, 16);
    const WCHAR kButton[] = {'b', 'u', 't', 't', 'o', 'n'};
    if (length != 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        WCHAR c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<WCHAR>(c - 'A' + 'a');
        if (c != kButton[i])
            return false;
    }
    return true;
}

bool IsDefaultPushButton(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd))
        return false;
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsButtonWindow(hwnd);
}

bool RecordDefaultPushButton(HWND hwnd) {
    if (!IsDefaultPushButton(hwnd))
        return false;
    for (HWND up = GetParent(hwnd); up != nullptr; up = GetParent(up)) {
        if (auto* form = dynamic_cast<CRWnd_WinForm*>(CRixWnd::FromHandlePermanent(up))) {
            form->m_nDefaultButtonId = GetDlgCtrlID(hwnd);
            return true;
        }
        // A form is a top-level window (or the child of its envelope dialog): stop there.
        if ((GetWindowLongW(up, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}
