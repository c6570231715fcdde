// Internal to the simulated backend: the items of a list or combo box (texts with their data
// values and the selection), kept in a record that the control's window owns through its
// first window long, made at WM_NCCREATE and freed at WM_NCDESTROY.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim_list_controls.h"
#include "platform/sim/sim_window.h"

namespace sim::detail {

struct ListItem {
    std::u16string text;
    LONG_PTR data = 0;
};

// The items and the selection (-1: none). Index arguments are checked by the callers.
struct ItemList {
    std::vector<ListItem> items;
    int selected = -1;

    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(WPARAM index) const {
        return static_cast<LONG_PTR>(index) >= 0 && static_cast<LONG_PTR>(index) < Count();
    }
    // Inserts before index (-1: at the end); the answer is the new index, or -1 when index is
    // beyond the end. The selection moves with its item.
    int Insert(LONG_PTR index, const WCHAR* text);
    // Removes the item; the selection moves with its item or is cleared with it.
    void Remove(int index);
    // Copies the text with its terminator; the answer is its length.
    int CopyText(int index, WCHAR* buffer) const;
};

// The numbers by which one family of controls (list boxes, combo boxes) names the messages
// that both answer alike.
struct ItemMessages {
    UINT add_string;
    UINT insert_string;
    UINT delete_string;
    UINT get_count;
    UINT get_text;
    UINT get_text_length;
    UINT get_item_data;
    UINT set_item_data;
    UINT get_selection;
    WORD set_focus; // the notifications of WM_SETFOCUS and WM_KILLFOCUS
    WORD kill_focus;
};
extern const ItemMessages kListBoxMessages;
extern const ItemMessages kComboBoxMessages;

// The second window long of both controls: the font of WM_SETFONT.
constexpr int kFontSlot = sizeof(LONG_PTR);

// Answers what list and combo boxes answer alike: the item messages of the family (adding,
// inserting and deleting items, their count, texts and data values, the selection; -1 for an
// index out of range), WM_GETFONT, WM_GETDLGCODE and the focus notifications. Answers false
// for any other message, which the control handles itself.
bool HandleItemMessage(HWND hwnd, const ItemMessages& family, ItemList& list, UINT message,
                       WPARAM wparam, LPARAM lparam, LRESULT* result);

// The send of a notification to the parent, as WM_COMMAND with the control's id.
void NotifyParent(HWND hwnd, WORD code);

// The record a control keeps in its first window long.
template <typename State> State* StateOf(HWND hwnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0));
}

// A line height for a font as the list and combo boxes measure it: the font's cell height,
// or 16 pixels for no font.
int LineHeightOf(HFONT font);

} // namespace sim::detail
