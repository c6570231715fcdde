// The window classes every process has from the start in the simulated backend: the dialog
// class "#32770" (atom 32770, window procedure DefDlgProcW) and the system controls that
// dialog templates name.
//
// NOTE: BUTTON, EDIT and STATIC are plain windows for now: they keep their text (through the
// default window procedure) and their font, and answer WM_GETDLGCODE as Windows' controls do, which
// is what the dialog manager asks them; they draw nothing, take no input of their own and send no
// notifications. The standard controls replace their window procedures when they come.
#include "platform/sim/sim_dialog.h"
#include "platform/sim/sim_user_state.h"

namespace sim::detail {
namespace {

// Every control keeps the font it is given in its first window bytes, as Windows' controls
// keep theirs.
constexpr int kFontSlot = 0;
constexpr int kControlExtra = sizeof(LONG_PTR);

bool KeepsFont(HWND hwnd, UINT message, WPARAM wparam, LRESULT* result) {
    if (message == WM_SETFONT) {
        SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wparam));
        *result = 0;
        return true;
    }
    if (message == WM_GETFONT) {
        *result = GetWindowLongPtrW(hwnd, kFontSlot);
        return true;
    }
    return false;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result;
    if (KeepsFont(hwnd, message, wparam, &result))
        return result;
    if (message == WM_GETDLGCODE) {
        switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        default:
            return DLGC_BUTTON;
        }
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result;
    if (KeepsFont(hwnd, message, wparam, &result))
        return result;
    if (message == WM_GETDLGCODE)
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result;
    if (KeepsFont(hwnd, message, wparam, &result))
        return result;
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Add(UserState& user, const char16_t* name, ATOM atom, WNDPROC proc, int extra) {
    auto record = std::make_shared<WindowClass>();
    record->name = name;
    record->atom = atom;
    record->wc.cbSize = sizeof(WNDCLASSEXW);
    record->wc.lpfnWndProc = proc;
    record->wc.cbWndExtra = extra;
    user.classes.emplace(FoldCase(name), record);
}

} // namespace

void AddSystemClasses(UserState& user) {
    Add(user, u"#32770", 32770, &DefDlgProcW, DLGWINDOWEXTRA);
    Add(user, u"Button", user.next_atom++, &ButtonProc, kControlExtra);
    Add(user, u"Edit", user.next_atom++, &EditProc, kControlExtra);
    Add(user, u"Static", user.next_atom++, &StaticProc, kControlExtra);
}

} // namespace sim::detail
