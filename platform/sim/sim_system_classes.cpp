// The window classes every process has from the start in the simulated backend: the dialog
// class "#32770" (atom 32770, window procedure DefDlgProcW) and the standard controls that the
// framework creates by class name and that dialog templates name.
//
// BUTTON is the simulated push button (sim_button.h), which this file gives what the dialog
// manager asks of it besides: its font, and DLGC_DEFPUSHBUTTON when it has BS_DEFPUSHBUTTON.
// EDIT is the simulated edit (sim_edit.h) and "msctls_updown32" the up-down control
// (sim_updown.h).
// NOTE: STATIC is a plain window for now: it keeps its text (through the default window
// procedure) and its font, and answers WM_GETDLGCODE as Windows' statics do, which is what the
// dialog manager asks it; it draws nothing and sends no notifications.
#include "platform/sim/sim_button.h"
#include "platform/sim/sim_combo_box.h"
#include "platform/sim/sim_list_box.h"
#include "platform/sim/sim_dialog.h"
#include "platform/sim/sim_edit.h"
#include "platform/sim/sim_updown.h"
#include "platform/sim/sim_user_state.h"

namespace sim::detail {
namespace {

// Every control keeps the font it is given in its window bytes at the given offset, as
// Windows' controls keep theirs.
bool KeepsFont(HWND hwnd, int slot, UINT message, WPARAM wparam, LRESULT* result) {
    if (message == WM_SETFONT) {
        SetWindowLongPtrW(hwnd, slot, static_cast<LONG_PTR>(wparam));
        *result = 0;
        return true;
    }
    if (message == WM_GETFONT) {
        *result = GetWindowLongPtrW(hwnd, slot);
        return true;
    }
    return false;
}

constexpr int kButtonFontSlot = kButtonExtraBytes;
constexpr int kControlFontSlot = 0;
constexpr int kFontBytes = sizeof(LONG_PTR);

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result;
    if (KeepsFont(hwnd, kButtonFontSlot, message, wparam, &result))
        return result;
    if (message == WM_GETDLGCODE &&
        (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    return SimButtonProc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result;
    if (KeepsFont(hwnd, kControlFontSlot, message, wparam, &result))
        return result;
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

} // namespace

void AddSystemClasses(UserState& user) {
    struct SystemClass {
        const WCHAR* name;
        ATOM atom; // 0: the next free one
        WNDPROC proc;
        int extra;
    };
    const SystemClass classes[] = {
        {u"#32770", 32770, &DefDlgProcW, DLGWINDOWEXTRA},
        {u"Button", 0, &ButtonProc, kButtonExtraBytes + kFontBytes},
        {u"Edit", 0, &SimEditProc, kEditExtraBytes},
        {UPDOWN_CLASSW, 0, &SimUpDownProc, kUpDownExtraBytes},
        {u"Static", 0, &StaticProc, kFontBytes},
        {u"ListBox", 0, &SimListBoxProc, kListBoxExtraBytes},
        {u"ComboBox", 0, &SimComboBoxProc, kComboBoxExtraBytes},
    };
    for (const SystemClass& c : classes) {
        auto record = std::make_shared<WindowClass>();
        record->name = c.name;
        record->wc.cbSize = sizeof(WNDCLASSEXW);
        record->wc.style = CS_DBLCLKS;
        record->wc.lpfnWndProc = c.proc;
        record->wc.cbWndExtra = c.extra;
        record->atom = c.atom != 0 ? c.atom : user.next_atom++;
        user.classes.emplace(FoldCase(c.name), record);
    }
}

} // namespace sim::detail
