// CRixBaseDataType, the base of the classes that box one value, and GetValuePtr, through which a
// caller reads or writes that value in place without knowing the class.
#pragma once

#include "runtime/core/rix_object.h"

class CRixBaseDataType : public CRixObject {
    RIX_OBJECT(CRixBaseDataType, CRixObject, "CRixBaseDataType")
    RIX_NO_OWN_FIELDS(CRixBaseDataType)
public:
    CRixBaseDataType() = default;
    CRixBaseDataType(const CRixBaseDataType&) = default;
    CRixBaseDataType& operator=(const CRixBaseDataType&) = default;
    ~CRixBaseDataType() override = default;

    // The address of the wrapped value; null here, where there is none.
    virtual void* GetValuePtr() { return nullptr; }
    const void* GetValuePtr() const { return const_cast<CRixBaseDataType*>(this)->GetValuePtr(); }
};
