// rg_qdl: the program's startup class. The runtime creates it through its class record and runs
// StartApplication on it (rix_mfc_app.h); it owns the main window, which it holds by value, so
// the runtime's teardown of the startup object also ends the main window object.
//
// Main thread only.
#pragma once

#include "app/window/main_form.h"
#include "runtime/shell/user_app.h"

namespace rg_lch_jxt {

class rg_qdl : public rg_lch_jb::rg_chkchxl {
    RIX_OBJECT(rg_qdl, rg_lch_jb::rg_chkchxl, "rg_lch_jxt::rg_qdl")
public:
    // The main window gets its caption "键序台" now; the form keeps it until its window exists.
    rg_qdl();
    rg_qdl(const rg_qdl& other) = default;
    ~rg_qdl() override = default;

    // Binds the external function table (0 when that fails), makes the process per-monitor DPI
    // aware if the manifest did not (app/window/dpi_awareness.h), creates the main window modeless
    // with no parent and every position and size unset, and makes its window the loop's main
    // window (none when the creation failed, which ends the program); then picks the scheme
    // named on the command line, if any (app/schemes/scheme_argument.h). 1 otherwise.
    static int StartApplication(CRixUserApp* app);

    rg_wdzhchk& GetMainWindow() { return m_MainWindow; }

protected:
    bool RixEqualFields(const rg_qdl& other) const {
        return m_MainWindow.IsEqual(other.m_MainWindow) != 0;
    }
    void RixCopyFields(const rg_qdl& other) { m_MainWindow.Assign(other.m_MainWindow); }
    void RixResetFields() { m_MainWindow.Reset(); }

private:
    rg_wdzhchk m_MainWindow;
};

} // namespace rg_lch_jxt
