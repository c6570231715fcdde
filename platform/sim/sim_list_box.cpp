// The simulated list box.
#include "platform/sim/sim_list_box.h"

#include <algorithm>

#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_item_list.h"
#include "platform/sim/sim_input.h"

namespace sim::detail {

namespace {

struct ListBoxState {
    ItemList list;
    int top = 0;
    int caret = 0;
    int itemHeight = 16;
};

// Whole items that fit into the client area, at least one.
int PageSize(HWND hwnd, const ListBoxState& state) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) / state.itemHeight);
}

// The last page is kept full, as Windows does.
void SetTop(HWND hwnd, ListBoxState& state, int top) {
    int last = std::max(0, state.list.Count() - PageSize(hwnd, state));
    state.top = std::clamp(top, 0, last);
}

void MakeVisible(HWND hwnd, ListBoxState& state, int index) {
    if (index < state.top)
        SetTop(hwnd, state, index);
    else if (index >= state.top + PageSize(hwnd, state))
        SetTop(hwnd, state, index - PageSize(hwnd, state) + 1);
}

// After an item was added or deleted: the caret within the items (an insertion leaves it
// where it is, as Windows keeps the focus item's number) and the last page full.
void AfterItemsChanged(HWND hwnd, ListBoxState& state) {
    state.caret = std::clamp(state.caret, 0, std::max(0, state.list.Count() - 1));
    SetTop(hwnd, state, state.top);
}

int ItemAt(const ListBoxState& state, LPARAM lparam) {
    auto y = static_cast<short>(HIWORD(lparam));
    if (y < 0)
        return -1;
    int index = state.top + y / state.itemHeight;
    return index < state.list.Count() ? index : -1;
}

bool Notifies(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & LBS_NOTIFY) != 0;
}

} // namespace

LRESULT CALLBACK SimListBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = StateOf<ListBoxState>(hwnd);
    if (state == nullptr && message != WM_NCCREATE)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ListBoxState));
        return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, 0, 0);
        delete state;
        return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wparam));
        state->itemHeight = LineHeightOf(reinterpret_cast<HFONT>(wparam));
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd);
        int index = ItemAt(*state, lparam);
        if (index < 0 || index == state->list.selected)
            return 0;
        state->list.selected = index;
        state->caret = index;
        if (Notifies(hwnd))
            NotifyParent(hwnd, LBN_SELCHANGE);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if (Notifies(hwnd))
            NotifyParent(hwnd, LBN_DBLCLK);
        return 0;
    case LB_RESETCONTENT:
        *state = ListBoxState{ItemList{}, 0, 0, state->itemHeight};
        return 0;
    case LB_INITSTORAGE: {
        // Room for wparam more items; the answer is how many fit before the next growth
        // (Windows may give more). The text bytes of lparam need no room of their own here.
        size_t room = state->list.items.size() + wparam;
        state->list.items.reserve(room);
        return static_cast<LRESULT>(room);
    }
    case LB_SETCURSEL: {
        auto index = static_cast<LONG_PTR>(static_cast<int>(wparam));
        if (index == -1) {
            state->list.selected = -1;
            return LB_ERR; // as on Windows, clearing the selection answers LB_ERR
        }
        if (!state->list.Valid(static_cast<WPARAM>(index)))
            return LB_ERR;
        state->list.selected = static_cast<int>(index);
        state->caret = static_cast<int>(index);
        MakeVisible(hwnd, *state, static_cast<int>(index));
        return index;
    }
    case LB_GETTOPINDEX:
        return state->top;
    case LB_SETTOPINDEX:
        if (!state->list.Valid(wparam))
            return LB_ERR;
        SetTop(hwnd, *state, static_cast<int>(wparam));
        return LB_OKAY;
    case LB_GETCARETINDEX:
        return state->caret;
    case LB_SETCARETINDEX:
        // Single-selection lists keep the caret on the selected item.
        if (!state->list.Valid(wparam) || state->list.selected != -1)
            return LB_ERR;
        state->caret = static_cast<int>(wparam);
        MakeVisible(hwnd, *state, state->caret);
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return state->itemHeight;
    case LB_SETITEMHEIGHT:
        if (LOWORD(lparam) == 0 || LOWORD(lparam) > 255)
            return LB_ERR;
        state->itemHeight = LOWORD(lparam);
        SetTop(hwnd, *state, state->top);
        return LB_OKAY;
    case LB_GETITEMRECT: {
        if (!state->list.Valid(wparam) || lparam == 0)
            return LB_ERR;
        RECT client{};
        GetClientRect(hwnd, &client);
        int y = (static_cast<int>(wparam) - state->top) * state->itemHeight;
        *reinterpret_cast<RECT*>(lparam) = {0, y, client.right, y + state->itemHeight};
        return LB_OKAY;
    }
    default: {
        LRESULT result = 0;
        if (!HandleItemMessage(hwnd, kListBoxMessages, state->list, message, wparam, lparam,
                               &result))
            return DefWindowProcW(hwnd, message, wparam, lparam);
        const bool changed =
            message == LB_ADDSTRING || message == LB_INSERTSTRING || message == LB_DELETESTRING;
        if (changed && result != LB_ERR)
            AfterItemsChanged(hwnd, *state);
        return result;
    }
    }
}

} // namespace sim::detail
