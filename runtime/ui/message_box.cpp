// The message box with the focus given back.
#include "runtime/ui/message_box.h"

namespace rg_lch_MFCjm_jb {

int32_t ShowMessageBox(const CRixWinControl* control, const CWString& text, uint32_t flags,
                       const CWString& caption) {
    HWND focus = GetFocus();
    HWND owner = control != nullptr ? control->GetSafeHwnd() : nullptr;
    int answer = MessageBoxW(owner, text.GetText(), caption.GetText(), flags);
    if (focus != nullptr && IsWindow(focus))
        SetFocus(focus);
    return answer;
}

} // namespace rg_lch_MFCjm_jb
