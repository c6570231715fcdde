// Picking a combo box item on either backend.
#include "tests/support/combo_pick.h"

#if !defined(KEYSEQ_PLATFORM_WIN32)
#include "platform/sim/sim_controls_testing.h"
#endif

bool PickComboItem(HWND combo, int index) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    if (index < 0 || index >= SendMessageW(combo, CB_GETCOUNT, 0, 0))
        return false;
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo, &info) || info.hwndList == nullptr)
        return false;
    RECT item{};
    if (SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return false;
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, point);
    SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(info.hwndList, WM_LBUTTONUP, 0, point);
    return true;
#else
    return sim::PickComboItem(combo, index);
#endif
}
