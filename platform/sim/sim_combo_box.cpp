// The simulated combo box.
#include "platform/sim/sim_combo_box.h"

#include <mutex>
#include <set>

#include "platform/sim/sim_controls_testing.h"
#include "platform/sim/sim_item_list.h"

namespace sim::detail {

namespace {

// The field is a line of text in an edit frame: the line height and three pixels above and
// below, as Windows' default combo boxes are.
constexpr int kFieldFrame = 6;

struct ComboBoxState {
    ItemList list;
    int itemHeight = 16;   // the items of the list
    int fieldHeight = 22;  // the selection field: the window's height when dropping down
    int droppedHeight = 0; // the height given at creation
};

// The combo boxes that exist, so that the test interface never reads another window's longs.
std::mutex g_mutex;
std::set<HWND> g_combos; // under g_mutex

bool IsComboBox(HWND hwnd) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_combos.count(hwnd) != 0;
}

bool DropsDown(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & 3) != CBS_SIMPLE;
}

void FitToField(HWND hwnd, const ComboBoxState& state) {
    if (!DropsDown(hwnd))
        return;
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    SetWindowPos(hwnd, nullptr, 0, 0, rect.right - rect.left, state.fieldHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The selection and the field's text together.
LRESULT Select(HWND hwnd, ComboBoxState& state, LONG_PTR index) {
    if (index != -1 && !state.list.Valid(static_cast<WPARAM>(index)))
        return CB_ERR;
    state.list.selected = static_cast<int>(index);
    SetWindowTextW(hwnd,
                   index == -1 ? u"" : state.list.items[static_cast<size_t>(index)].text.c_str());
    return index == -1 ? CB_ERR : index;
}

} // namespace

LRESULT CALLBACK SimComboBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* state = StateOf<ComboBoxState>(hwnd);
    if (state == nullptr && message != WM_NCCREATE)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_NCCREATE: {
        auto* made = new ComboBoxState;
        made->droppedHeight = reinterpret_cast<const CREATESTRUCTW*>(lparam)->cy;
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(made));
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            g_combos.insert(hwnd);
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    case WM_CREATE:
        FitToField(hwnd, *state);
        return 0;
    case WM_NCDESTROY: {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_combos.erase(hwnd);
    }
        SetWindowLongPtrW(hwnd, 0, 0);
        delete state;
        return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wparam));
        state->itemHeight = LineHeightOf(reinterpret_cast<HFONT>(wparam));
        state->fieldHeight = state->itemHeight + kFieldFrame;
        FitToField(hwnd, *state);
        return 0;
    case CB_RESETCONTENT:
        state->list = ItemList{};
        SetWindowTextW(hwnd, u"");
        return CB_OKAY;
    case CB_SETCURSEL:
        return Select(hwnd, *state, static_cast<int>(wparam));
    case CB_GETITEMHEIGHT:
        return static_cast<int>(wparam) == -1 ? state->fieldHeight - kFieldFrame
                                              : state->itemHeight;
    case CB_SETITEMHEIGHT: {
        int height = static_cast<int>(lparam);
        if (height <= 0 || height > 255)
            return CB_ERR;
        if (static_cast<int>(wparam) == -1) {
            state->fieldHeight = height + kFieldFrame;
            FitToField(hwnd, *state);
        } else {
            state->itemHeight = height;
        }
        return CB_OKAY;
    }
    case CB_GETDROPPEDCONTROLRECT: {
        if (lparam == 0)
            return CB_ERR;
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        if (DropsDown(hwnd))
            rect.bottom = rect.top + state->droppedHeight;
        *reinterpret_cast<RECT*>(lparam) = rect;
        return CB_OKAY;
    }
    default: {
        LRESULT result = 0;
        if (HandleItemMessage(hwnd, kComboBoxMessages, state->list, message, wparam, lparam,
                              &result))
            return result;
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    }
}

} // namespace sim::detail

namespace sim {

bool PickComboItem(HWND combo, int index) {
    using namespace detail;
    auto* state = IsComboBox(combo) ? StateOf<ComboBoxState>(combo) : nullptr;
    if (state == nullptr || !state->list.Valid(static_cast<WPARAM>(index)))
        return false;
    NotifyParent(combo, CBN_DROPDOWN);
    Select(combo, *state, index);
    NotifyParent(combo, CBN_SELCHANGE);
    NotifyParent(combo, CBN_SELENDOK);
    NotifyParent(combo, CBN_CLOSEUP);
    return true;
}

} // namespace sim
