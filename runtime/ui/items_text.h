// The items text of list and combo boxes: the items a control is given before its window
// exists, applied when the window is created.
//
// Lines are separated by "\n" and read in pairs: the first line of a pair is the item's text
// (trailing units of value 32 or less, such as a carriage return, removed), the second its
// 32-bit data value as a decimal integer (a line that does not start with a number gives 0;
// a number beyond 32 bits is held at the nearest limit). Empty lines count as lines; a final
// unpaired line is ignored.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/wstring.h"

class CRixItemsText {
public:
    explicit CRixItemsText(const WCHAR* items);

    int64_t GetCount() const { return m_Lines.GetCount() / 2; }
    CWString GetItemText(int64_t index) const;
    int32_t GetItemData(int64_t index) const;

    // Empties the control (reset message) and adds every item with its data (add and
    // set-data messages: LB_ or CB_). Items the control refuses are left out. Answers the
    // number of items added.
    int64_t FillControl(HWND hwnd, UINT reset_message, UINT add_message,
                        UINT set_data_message) const;

private:
    CMStringArray m_Lines;
};
