// The counted protocol of CRefObject.
#include "runtime/core/ref_object.h"

const ClassNameInfo* CRefObject::ClassRecord() {
    static const ClassNameInfo info = MakeClassNameInfo("CRefObject");
    return &info;
}

int CRefObject::Release() {
    // acq_rel: the deleting thread must see every write made by the other holders before they
    // let go of their references.
    if (m_nRefCount.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return 0;
    OnFinalRelease();
    delete this;
    return 1;
}
