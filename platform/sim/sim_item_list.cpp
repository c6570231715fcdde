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
