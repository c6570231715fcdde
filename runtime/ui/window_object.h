// rg_ckdxl ("window object class", namespace rg_lch_jb): the root of the framework's objects
// that stand for something counted elsewhere. Its one field is a counted reference: the
// holder of a control's native window, or a menu's counted record.
//
// Copying shares the reference (two control objects may stand for one window); comparison is
// by identity of the reference; destruction releases it.
#pragma once

#include "runtime/core/ref_object.h"
#include "runtime/core/rix_object.h"
#include "runtime/core/spin_lock.h"

namespace rg_lch_jb {

class rg_ckdxl : public CRixObject {
    RIX_OBJECT(rg_ckdxl, CRixObject, "rg_lch_jb::rg_ckdxl")
public:
    rg_ckdxl() = default;
    rg_ckdxl(const rg_ckdxl& other);
    rg_ckdxl& operator=(const rg_ckdxl&) = delete;
    ~rg_ckdxl() override;

    CRefObject* GetReference() const { return m_pReference; }

    // Guards every change of the reference, so that another thread may read it under this
    // lock (CRixWinControl::BindEvent attaches its control's listener from any thread while
    // the user-interface thread may reset the control). One lock for the process, the runtime
    // spin lock kind: held for a pointer swap or a listener store, never across a call that
    // may block or come back here.
    static RixLockWord& ReferenceLock();

protected:
    // Takes over one reference of ref (may be null) and releases the old one.
    void SetReference(CRefObject* ref);

    bool RixEqualFields(const rg_ckdxl& other) const { return m_pReference == other.m_pReference; }
    void RixCopyFields(const rg_ckdxl& other);
    void RixResetFields() { SetReference(nullptr); }

private:
    CRefObject* m_pReference = nullptr; // counted; changed under ReferenceLock
};

} // namespace rg_lch_jb
