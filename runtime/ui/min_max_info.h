// rg_chkwzhxzhxx: the window size limits that the MinMaxInfo event of a form passes to its
// handler, a value copy of the operating system's record (the reserved point left out).
#pragma once

#include "platform/platform.h"
#include "runtime/core/rg_chcl.h"
#include "runtime/core/rg_wzhl.h"
#include "runtime/core/rix_object.h"

namespace rg_lch_MFCjm_jb {

class rg_chkwzhxzhxx : public CRixObject {
    RIX_OBJECT(rg_chkwzhxzhxx, CRixObject, "rg_lch_MFCjm_jb::rg_chkwzhxzhxx")
public:
    rg_chkwzhxzhxx() = default;
    rg_chkwzhxzhxx(const rg_chkwzhxzhxx& other) : CRixObject(other) { RixCopyFields(other); }
    ~rg_chkwzhxzhxx() override = default;

    void ReadFrom(const MINMAXINFO& record);
    void WriteTo(MINMAXINFO& record) const;

    rg_lch_jb::rg_chcl m_MaxSize;
    rg_lch_jb::rg_wzhl m_MaxPosition;
    rg_lch_jb::rg_chcl m_MinTrackSize;
    rg_lch_jb::rg_chcl m_MaxTrackSize;

protected:
    bool RixEqualFields(const rg_chkwzhxzhxx& other) const;
    void RixCopyFields(const rg_chkwzhxzhxx& other);
    void RixResetFields();
};

} // namespace rg_lch_MFCjm_jb
