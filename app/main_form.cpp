// The main window's form properties.
#include "app/main_form.h"

#include "runtime/shell/instance_resources.h"
#include "runtime/shell/rix_app_instance.h"

namespace rg_lch_jxt {

rg_wdzhchk::rg_wdzhchk() {
    CRWnd_WinForm* form = GetFormWnd();
    form->m_bEscCloses = 0;
    form->m_nBackColour = kBackColour;
    // Null when the program has no icon 500: the form then loads its icon 100 when created.
    form->m_hIcon =
        static_cast<HICON>(GetRixAppInstance().LoadResourceImage(kResourceIcon, kIconId));
}

} // namespace rg_lch_jxt
