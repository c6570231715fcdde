// rg_cch ("menu", namespace rg_lch_jxt): the step list box's context menu. Its description
// text gives one top-level item "动态菜单" (command 100) whose pop-up holds 上移 (101),
// 下移 (102) and 删除 (103); the main window's command handler acts on those ids.
#pragma once

#include "runtime/ui/menu.h"

namespace rg_lch_jxt {

// The commands of the step menu.
inline constexpr int kStepMenuUp = 101;
inline constexpr int kStepMenuDown = 102;
inline constexpr int kStepMenuDelete = 103;

class rg_cch : public rg_lch_MFCjm_jb::rg_cchl {
    RIX_OBJECT(rg_cch, rg_cchl, "rg_lch_jxt::rg_cch")
    RIX_NO_OWN_FIELDS(rg_cch)
public:
    rg_cch() = default;
    rg_cch(const rg_cch&) = default;
    ~rg_cch() override = default;

    CWString DescriptionText() const override;
};

} // namespace rg_lch_jxt
