// Reading the items text of list and combo boxes.
#include "runtime/ui/items_text.h"

#include "runtime/core/int64_text.h"
#include "runtime/shell/split_text.h"

CRixItemsText::CRixItemsText(const WCHAR* items) {
    SplitText(items, m_Lines, TEXT("\n"), false, false);
}

CWString CRixItemsText::GetItemText(int64_t index) const {
    if (index < 0 || index >= GetCount())
        return CWString();
    CWString text(m_Lines.GetTextAt(index * 2));
    text.TrimRight();
    return text;
}

int32_t CRixItemsText::GetItemData(int64_t index) const {
    if (index < 0 || index >= GetCount())
        return 0;
    int64_t value = TextToInt64(m_Lines.GetTextAt(index * 2 + 1));
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

int64_t CRixItemsText::FillControl(HWND hwnd, UINT reset_message, UINT add_message,
                                   UINT set_data_message) const {
    SendMessageW(hwnd, reset_message, 0, 0);
    int64_t added = 0;
    for (int64_t i = 0; i < GetCount(); ++i) {
        CWString text = GetItemText(i);
        LRESULT index =
            SendMessageW(hwnd, add_message, 0, reinterpret_cast<LPARAM>(text.GetText()));
        // LB_ERR and LB_ERRSPACE (CB_ the same) are negative.
        if (index < 0)
            continue;
        SendMessageW(hwnd, set_data_message, static_cast<WPARAM>(index),
                     static_cast<LPARAM>(GetItemData(i)));
        ++added;
    }
    return added;
}
