// Reading one item's text from a list or combo box.
#include "runtime/ui/list_item_text.h"

CWString ReadItemText(HWND hwnd, WPARAM index, UINT length_message, UINT text_message) {
    CWString text;
    LRESULT length = SendMessageW(hwnd, length_message, index, 0);
    if (length <= 0)
        return text;
    WCHAR* units = text.BeginWrite(length);
    LRESULT copied = SendMessageW(hwnd, text_message, index, reinterpret_cast<LPARAM>(units));
    text.EndWrite(copied > 0 && copied <= length ? copied : 0);
    return text;
}
