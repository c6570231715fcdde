// The items of the simulated list and combo boxes.
#include "platform/sim/sim_item_list.h"

#include <algorithm>

#include "platform/sim/sim_gdi.h"

namespace sim::detail {

int ItemList::Insert(LONG_PTR index, const WCHAR* text) {
    if (index < -1 || index > Count())
        return -1;
    int at = index == -1 ? Count() : static_cast<int>(index);
    items.insert(items.begin() + at, ListItem{text != nullptr ? text : u"", 0});
    if (selected >= at)
        ++selected;
    return at;
}

void ItemList::Remove(int index) {
    items.erase(items.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

int ItemList::CopyText(int index, WCHAR* buffer) const {
    const std::u16string& text = items[static_cast<size_t>(index)].text;
    if (buffer != nullptr)
        std::copy(text.c_str(), text.c_str() + text.size() + 1, buffer);
    return static_cast<int>(text.size());
}

const ItemMessages kListBoxMessages = {.add_string = LB_ADDSTRING,
                                       .insert_string = LB_INSERTSTRING,
                                       .delete_string = LB_DELETESTRING,
                                       .get_count = LB_GETCOUNT,
                                       .get_text = LB_GETTEXT,
                                       .get_text_length = LB_GETTEXTLEN,
                                       .get_item_data = LB_GETITEMDATA,
                                       .set_item_data = LB_SETITEMDATA,
                                       .get_selection = LB_GETCURSEL,
                                       .set_focus = LBN_SETFOCUS,
                                       .kill_focus = LBN_KILLFOCUS};
const ItemMessages kComboBoxMessages = {.add_string = CB_ADDSTRING,
                                        .insert_string = CB_INSERTSTRING,
                                        .delete_string = CB_DELETESTRING,
                                        .get_count = CB_GETCOUNT,
                                        .get_text = CB_GETLBTEXT,
                                        .get_text_length = CB_GETLBTEXTLEN,
                                        .get_item_data = CB_GETITEMDATA,
                                        .set_item_data = CB_SETITEMDATA,
                                        .get_selection = CB_GETCURSEL,
                                        .set_focus = CBN_SETFOCUS,
                                        .kill_focus = CBN_KILLFOCUS};

bool HandleItemMessage(HWND hwnd, const ItemMessages& family, ItemList& list, UINT message,
                       WPARAM wparam, LPARAM lparam, LRESULT* result) {
    static_assert(LB_ERR == CB_ERR && LB_OKAY == CB_OKAY, "one answer serves both families");
    constexpr LRESULT kError = LB_ERR;
    constexpr LRESULT kOkay = LB_OKAY;
    switch (message) {
    case WM_GETFONT:
        *result = GetWindowLongPtrW(hwnd, kFontSlot);
        return true;
    case WM_GETDLGCODE:
        *result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        NotifyParent(hwnd, message == WM_SETFOCUS ? family.set_focus : family.kill_focus);
        *result = 0;
        return true;
    default:
        break;
    }
    if (message == family.add_string || message == family.insert_string) {
        int at = list.Insert(message == family.add_string ? -1 : static_cast<LONG_PTR>(wparam),
                             reinterpret_cast<const WCHAR*>(lparam));
        *result = at < 0 ? kError : at;
    } else if (message == family.delete_string) {
        const bool valid = list.Valid(wparam);
        if (valid)
            list.Remove(static_cast<int>(wparam));
        *result = valid ? list.Count() : kError;
    } else if (message == family.get_count) {
        *result = list.Count();
    } else if (message == family.get_text || message == family.get_text_length) {
        *result = list.Valid(wparam)
                      ? list.CopyText(static_cast<int>(wparam),
                                      message == family.get_text ? reinterpret_cast<WCHAR*>(lparam)
                                                                 : nullptr)
                      : kError;
    } else if (message == family.get_item_data) {
        *result = list.Valid(wparam) ? list.items[wparam].data : kError;
    } else if (message == family.set_item_data) {
        const bool valid = list.Valid(wparam);
        if (valid)
            list.items[wparam].data = lparam;
        *result = valid ? kOkay : kError;
    } else if (message == family.get_selection) {
        *result = list.selected;
    } else {
        return false;
    }
    return true;
}

void NotifyParent(HWND hwnd, WORD code) {
    auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

int LineHeightOf(HFONT font) {
    LOGFONTW record{};
    if (font == nullptr || GetObjectW(font, sizeof record, &record) != sizeof record)
        return 16;
    // A negative height is the character height; the cell adds about a fifth for the
    // internal leading, as Windows' fonts have.
    LONG height =
        record.lfHeight < 0 ? -record.lfHeight + (-record.lfHeight + 4) / 5 : record.lfHeight;
    return height > 0 ? static_cast<int>(height) : 16;
}

} // namespace sim::detail
