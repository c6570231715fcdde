// The input dialog's templates, built in memory for the simulation.
#include "runtime/ui/input_dialog_templates.h"

#include <vector>

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kStaticStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;

// The parts both templates share: the field pair and the two buttons, at the field's row and
// the buttons' row.
void AddFieldAndButtons(CRixDialogTemplate& t, short edit_y, short edit_cx, short ok_x,
                        short cancel_x, short buttons_y) {
    using T = CRixDialogTemplate;
    t.AddItem(T::kEdit, TEXT(""), IDC_INPUT_EDIT, kEditStyle, 7, edit_y, edit_cx, 12);
    t.AddItem(T::kEdit, TEXT(""), IDC_INPUT_PASSWORD, kEditStyle | ES_PASSWORD, 7, edit_y, edit_cx,
              12);
    t.AddItem(T::kButton, TEXT("确认输入(&O)"), IDOK,
              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, ok_x, buttons_y, 55, 19);
    t.AddItem(T::kButton, TEXT("取消(&C)"), IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, cancel_x,
              buttons_y, 55, 19);
}

} // namespace

BOOL BuildInputDialogTemplate(UINT id, CRixDialogTemplate& out) {
    using T = CRixDialogTemplate;
    out = CRixDialogTemplate();
    out.SetStyle(kDialogStyle, 0);
    out.SetTitle(TEXT("请输入："));
    out.SetFont(TEXT("MS Shell Dlg"), 8);
    if (id == IDD_INPUT_PROMPT) {
        out.SetRect(0, 0, 252, 92);
        out.AddItem(T::kStatic, TEXT(""), IDC_INPUT_FRAME, kStaticStyle | SS_SUNKEN, 7, 7, 238, 35);
        out.AddItem(T::kStatic, TEXT(""), IDC_INPUT_PROMPT, kStaticStyle | SS_LEFT, 12, 11, 229,
                    27);
        AddFieldAndButtons(out, 45, 238, 63, 134, 66);
        return TRUE;
    }
    if (id == IDD_INPUT_PLAIN) {
        out.SetRect(0, 0, 214, 56);
        AddFieldAndButtons(out, 7, 200, 82, 151, 30);
        return TRUE;
    }
    return FALSE;
}

void RegisterInputDialogTemplates() {
#if defined(KEYSEQ_PLATFORM_SIM)
    // Every time rather than once: a test may have emptied the registry since.
    for (UINT id : {IDD_INPUT_PROMPT, IDD_INPUT_PLAIN}) {
        CRixDialogTemplate t;
        BuildInputDialogTemplate(id, t);
        const auto* bytes = reinterpret_cast<const BYTE*>(t.Get());
        sim::RegisterResource(RT_DIALOG, MAKEINTRESOURCEW(id),
                              std::vector<BYTE>(bytes, bytes + t.GetSize()));
    }
#endif
}
