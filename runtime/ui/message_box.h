// ShowMessageBox: a message box owned by a control's window, which gives the keyboard focus
// back to the window that had it before the box took it.
//
// User-interface thread only.
#pragma once

#include <cstdint>

#include "runtime/core/wstring.h"
#include "runtime/ui/control.h"

namespace rg_lch_MFCjm_jb {

// MessageBoxW owned by the control's window (none when it has no window, or control is null),
// with the system's flags (MB_OK, MB_YESNO, ...); answers the button chosen (IDOK, IDYES, ...).
// The window that had the focus gets it back if it still exists.
int32_t ShowMessageBox(const CRixWinControl* control, const CWString& text, uint32_t flags,
                       const CWString& caption);

} // namespace rg_lch_MFCjm_jb
