// rg_wdzhchk: the program's main window, a form of the window framework titled "键序台" with a
// client area of 500 × 320. The form takes its size from the design size and centres itself,
// so the start-up class creates it with every position and size unset.
//
// Its properties are set at construction, before any window exists: a white background, Esc
// does not close it (only the close button, the system menu and Alt+F4 do), and the program's
// icon 500 (the framework falls back to the icon 100 when 500 is missing). The controls of the
// main window will be made in CreateChildren and the Created event; so far it has none.
//
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/ui/form.h"

namespace rg_lch_jxt {

class rg_wdzhchk : public rg_lch_MFCjm_jb::CRixWinForm {
    RIX_OBJECT(rg_wdzhchk, rg_lch_MFCjm_jb::CRixWinForm, "rg_lch_jxt::rg_wdzhchk")
    RIX_NO_OWN_FIELDS(rg_wdzhchk)
public:
    static constexpr int32_t kDesignWidth = 500;
    static constexpr int32_t kDesignHeight = 320;
    static constexpr int kIconId = 500;
    static constexpr uint32_t kBackColour = 0xFFFFFF;

    rg_wdzhchk();
    // Shares the window, as every control copy does; the program never copies its main window.
    rg_wdzhchk(const rg_wdzhchk& other) = default;
    ~rg_wdzhchk() override = default;

    int32_t GetDesignWidth() override { return kDesignWidth; }
    int32_t GetDesignHeight() override { return kDesignHeight; }
};

} // namespace rg_lch_jxt
