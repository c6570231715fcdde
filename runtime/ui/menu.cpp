// Menu objects: the menu made in the reference field on first use, and the context menu of a
// control.
#include "runtime/ui/menu.h"

#include "runtime/ui/popup_menu.h"

namespace rg_lch_jb {

CRefRixMenu* rg_kshjl::RefMenu() {
    auto* menu = dynamic_cast<CRefRixMenu*>(GetReference());
    if (menu == nullptr) {
        // Only menu objects are ever assigned into one another, so the field holds a menu or
        // nothing; anything else is replaced rather than read as a menu.
        menu = new CRefRixMenu();
        SetReference(menu);
    }
    const CWString text = DescriptionText();
    menu->BuildFromText(text.GetText());
    return menu;
}

} // namespace rg_lch_jb

CRefRixMenu* GetRefMenu(rg_lch_jb::rg_kshjl& menu) {
    return menu.RefMenu();
}

int ShowPopupMenu(const rg_lch_MFCjm_jb::CRixWinControl& control, const CRefRixMenu* menu) {
    if (menu == nullptr)
        return 0;
    return ShowPopupMenuAtCursor(control.GetSafeHwnd(), menu->GetMenuHandle());
}
