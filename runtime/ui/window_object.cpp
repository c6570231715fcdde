// The shared counted reference of rg_ckdxl.
#include "runtime/ui/window_object.h"

namespace rg_lch_jb {

rg_ckdxl::rg_ckdxl(const rg_ckdxl& other) : CRixObject(other), m_pReference(other.m_pReference) {
    if (m_pReference != nullptr)
        m_pReference->AddRef();
}

rg_ckdxl::~rg_ckdxl() {
    if (m_pReference != nullptr)
        m_pReference->Release();
}

RixLockWord& rg_ckdxl::ReferenceLock() {
    static RixLockWord lock{1};
    return lock;
}

void rg_ckdxl::SetReference(CRefObject* ref) {
    SpinLockAcquire(ReferenceLock());
    CRefObject* old = m_pReference;
    m_pReference = ref;
    SpinLockRelease(ReferenceLock());
    // Outside the lock: the last release destroys a window, which runs handlers.
    if (old != nullptr)
        old->Release();
}

void rg_ckdxl::RixCopyFields(const rg_ckdxl& other) {
    if (other.m_pReference != nullptr)
        other.m_pReference->AddRef();
    SetReference(other.m_pReference);
}

} // namespace rg_lch_jb
