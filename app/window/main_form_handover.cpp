// The main window's side of a second start (app/single_instance.h): the scheme name that
// arrives with WM_COPYDATA is kept, and opened as `keyseq.exe NAME` opens it at start, once
// the window is free to load it.
#include "app/window/main_form.h"

#include <algorithm>
#include <vector>

namespace rg_lch_jxt {

LRESULT rg_wdzhchk::OnCopyData(ULONG_PTR tag, const void* data, DWORD size) {
    if (tag != kHandOverTag)
        return 0;
    if (size % sizeof(WCHAR) != 0 || size / sizeof(WCHAR) > kHandOverMaxUnits ||
        (size != 0 && data == nullptr))
        return 0;
    // The bytes live only as long as this call, and the sender waits for the answer: keep a
    // copy and open the scheme later, from the posted command.
    const auto* units = static_cast<const WCHAR*>(data);
    std::vector<WCHAR> text(units, units + size / sizeof(WCHAR));
    // A NUL is kept as a mark that no listed name holds, so the name then matches nothing
    // and is said to be unknown, never cut short.
    std::replace(text.begin(), text.end(), WCHAR(0), WCHAR(0xFFFD));
    text.push_back(0);
    CWString name(text.data());
    m_HandedOverScheme = name;
    m_bHandOverPending = true;
    PostMessageW(GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(kHandedOverCommand), 0);
    return kHandOverAnswer;
}

void rg_wdzhchk::TakeHandedOverScheme() {
    HWND self = GetSafeHwnd();
    if (!m_bHandOverPending || self == nullptr || !IsWindowEnabled(self))
        return;
    m_bHandOverPending = false;
    CWString name = m_HandedOverScheme;
    m_HandedOverScheme = CWString();
    if (!name.IsEmpty())
        OpenScheme(name);
}

} // namespace rg_lch_jxt
