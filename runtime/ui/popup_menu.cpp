// The context menu at the cursor.
#include "runtime/ui/popup_menu.h"

int ShowPopupMenuAtCursor(HWND owner, HMENU menu) {
    if (menu == nullptr || !IsWindow(owner))
        return 0;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup == nullptr)
        return 0;
    POINT cursor{};
    GetCursorPos(&cursor);
    return TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x + kPopupMenuOffset,
                          cursor.y + kPopupMenuOffset, 0, owner, nullptr);
}
