// Scan codes and extended keys of the replay (extended_key.h).
#include "app/replay/extended_key.h"

bool IsExtendedKey(BYTE vk) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

KeyScan KeyScanCode(BYTE vk) {
    KeyScan key;
    UINT answer = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC_EX);
    UINT prefix = answer >> 8;
    if (answer != 0 && prefix != 0xE1) {
        key.scan = static_cast<BYTE>(answer & 0xFF);
        key.extended = prefix == 0xE0;
    } else {
        key.scan = static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    }
    key.extended = key.extended || IsExtendedKey(vk);
    return key;
}
