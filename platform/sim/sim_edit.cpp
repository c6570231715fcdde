// The simulated EDIT class.
#include "platform/sim/sim_edit.h"

#include <algorithm>
#include <string>

#include "platform/sim/sim_dialog.h"
#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_mouse.h"

namespace sim::detail {

namespace {

constexpr int kFontSlot = 0;
constexpr int kStateSlot = sizeof(LONG_PTR);
// The limits of Windows: 30000 before EM_LIMITTEXT, and the largest for EM_LIMITTEXT(0).
constexpr DWORD kDefaultLimit = 30000;
constexpr DWORD kSingleLineMax = 0x7FFFFFFE;
constexpr DWORD kMultiLineMax = 0xFFFFFFFF;

struct EditState {
    DWORD sel_start = 0; // the anchor
    DWORD sel_end = 0;   // the caret
    DWORD limit = kDefaultLimit;
    WCHAR password = 0;
};

EditState* State(HWND hwnd) {
    return reinterpret_cast<EditState*>(GetWindowLongPtrW(hwnd, kStateSlot));
}

DWORD Style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
}

std::u16string Text(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr || (Style(hwnd) & WS_CHILD) == 0)
        return;
    auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

// The ordered selection, within the text.
void Ordered(const EditState& state, size_t length, size_t& from, size_t& to) {
    from = std::min<size_t>(std::min(state.sel_start, state.sel_end), length);
    to = std::min<size_t>(std::max(state.sel_start, state.sel_end), length);
}

// Replaces the selection with insert (the text limit applies); the caret goes after it.
// False when the limit refused it.
bool ReplaceSelection(HWND hwnd, EditState& state, const std::u16string& insert, bool limited) {
    std::u16string text = Text(hwnd);
    size_t from = 0, to = 0;
    Ordered(state, text.size(), from, to);
    size_t length = text.size() - (to - from) + insert.size();
    if (limited && !insert.empty() && length > state.limit) {
        Notify(hwnd, EN_MAXTEXT);
        return false;
    }
    text.replace(from, to - from, insert);
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    state.sel_start = state.sel_end = static_cast<DWORD>(from + insert.size());
    return true;
}

LRESULT OnChar(HWND hwnd, EditState& state, WCHAR ch) {
    if ((Style(hwnd) & ES_READONLY) != 0)
        return 0;
    if (ch == 8) { // Backspace: the selection, or the character before the caret
        if (state.sel_start == state.sel_end) {
            if (state.sel_end == 0)
                return 0;
            state.sel_start = state.sel_end - 1;
        }
        ReplaceSelection(hwnd, state, u"", false);
        Notify(hwnd, EN_CHANGE);
        return 0;
    }
    bool multi = (Style(hwnd) & ES_MULTILINE) != 0;
    std::u16string insert;
    if (ch == '\r' && multi)
        insert = u"\r\n";
    else if (ch >= 32)
        insert.push_back(ch);
    else
        return 0;
    if (ReplaceSelection(hwnd, state, insert, true))
        Notify(hwnd, EN_CHANGE);
    return 0;
}

} // namespace

LRESULT CALLBACK SimEditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    EditState* state = State(hwnd);
    switch (message) {
    case WM_NCCREATE: {
        auto* fresh = new EditState;
        if ((Style(hwnd) & ES_PASSWORD) != 0)
            fresh->password = '*';
        SetWindowLongPtrW(hwnd, kStateSlot, reinterpret_cast<LONG_PTR>(fresh));
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrW(hwnd, kStateSlot, 0);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wparam));
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(hwnd, kFontSlot);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if ((Style(hwnd) & ES_MULTILINE) != 0)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    default:
        break;
    }
    if (state == nullptr)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
        state->sel_start = state->sel_end = 0;
        if ((Style(hwnd) & ES_MULTILINE) == 0)
            Notify(hwnd, EN_CHANGE);
        return result;
    }
    case WM_CHAR:
        return OnChar(hwnd, *state, static_cast<WCHAR>(wparam));
    case WM_SETFOCUS:
        Notify(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Notify(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case EM_GETSEL: {
        size_t from = 0, to = 0;
        Ordered(*state, Text(hwnd).size(), from, to);
        if (wparam != 0)
            *reinterpret_cast<DWORD*>(wparam) = static_cast<DWORD>(from);
        if (lparam != 0)
            *reinterpret_cast<DWORD*>(lparam) = static_cast<DWORD>(to);
        return MAKELONG(static_cast<WORD>(std::min<size_t>(from, 0xFFFF)),
                        static_cast<WORD>(std::min<size_t>(to, 0xFFFF)));
    }
    case EM_SETSEL: {
        auto length = static_cast<DWORD>(Text(hwnd).size());
        auto start = static_cast<int>(wparam);
        auto end = static_cast<int>(lparam);
        if (start < 0) { // -1 removes the selection, leaving the caret where it is
            state->sel_start = state->sel_end;
            return 0;
        }
        auto clamp = [length](int v) { return v < 0 ? length : std::min<DWORD>(v, length); };
        state->sel_start = clamp(start);
        state->sel_end = clamp(end);
        return 0;
    }
    case EM_SCROLLCARET:
        return 1;
    case EM_REPLACESEL: {
        const auto* text = reinterpret_cast<const WCHAR*>(lparam);
        if (ReplaceSelection(hwnd, *state, text != nullptr ? text : u"", true))
            Notify(hwnd, EN_CHANGE);
        return 0;
    }
    case EM_LIMITTEXT:
        state->limit = wparam != 0
                           ? static_cast<DWORD>(wparam)
                           : ((Style(hwnd) & ES_MULTILINE) != 0 ? kMultiLineMax : kSingleLineMax);
        return 0;
    case EM_GETLIMITTEXT:
        return state->limit;
    case EM_SETPASSWORDCHAR: {
        // A password character makes a password field, none a plain one.
        state->password = static_cast<WCHAR>(wparam);
        DWORD style = Style(hwnd);
        style = state->password != 0 ? (style | ES_PASSWORD)
                                     : (style & ~static_cast<DWORD>(ES_PASSWORD));
        SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
        return 0;
    }
    case EM_GETPASSWORDCHAR:
        return state->password;
    case EM_SETREADONLY: {
        DWORD style = Style(hwnd);
        style = wparam != 0 ? (style | ES_READONLY) : (style & ~static_cast<DWORD>(ES_READONLY));
        SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
        return 1;
    }
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace sim::detail
