// Menu objects. rg_kshjl ("describable menu", namespace rg_lch_jb) is an object whose
// DescriptionText describes a menu; rg_cchl ("menu") is the menu class that application menus
// derive from. Their reference field (rg_ckdxl) holds the built CRefRixMenu, so menu objects
// copied or assigned from one another share one menu. GetRefMenu builds it on first use;
// ShowPopupMenu shows it as a control's context menu.
//
// User-interface thread only.
#pragma once

#include "runtime/core/wstring.h"
#include "runtime/ui/control.h"
#include "runtime/ui/ref_rix_menu.h"
#include "runtime/ui/window_object.h"

namespace rg_lch_jb {

class rg_kshjl : public rg_ckdxl {
    RIX_OBJECT(rg_kshjl, rg_ckdxl, "rg_lch_jb::rg_kshjl")
    RIX_NO_OWN_FIELDS(rg_kshjl)
public:
    rg_kshjl() = default;
    rg_kshjl(const rg_kshjl&) = default;
    ~rg_kshjl() override = default;

    // The menu description text; none here. Application menus answer their own.
    virtual CWString DescriptionText() const { return CWString(); }

    // See GetRefMenu.
    CRefRixMenu* RefMenu();
};

} // namespace rg_lch_jb

namespace rg_lch_MFCjm_jb {

class rg_cchl : public rg_lch_jb::rg_kshjl {
    RIX_OBJECT(rg_cchl, rg_kshjl, "rg_lch_MFCjm_jb::rg_cchl")
    RIX_NO_OWN_FIELDS(rg_cchl)
public:
    rg_cchl() = default;
    rg_cchl(const rg_cchl&) = default;
    ~rg_cchl() override = default;
};

} // namespace rg_lch_MFCjm_jb

// The object's menu: the CRefRixMenu in its reference field, made there when there is none
// and built from DescriptionText. A menu that is built already stays as it is, so its handle
// is the same on every call. The object keeps the reference; the caller does not own it.
CRefRixMenu* GetRefMenu(rg_lch_jb::rg_kshjl& menu);

// Shows the first pop-up of the menu as the control's context menu, 3 pixels right of and
// below the cursor, tracking the right button; the chosen item's id arrives at the control's
// window as WM_COMMAND. Answers non-zero when shown; 0 when the control has no window, the
// menu is null or has no menu handle, or there is no first pop-up.
int ShowPopupMenu(const rg_lch_MFCjm_jb::CRixWinControl& control, const CRefRixMenu* menu);
