// The default object protocol of CRixObject.
#include "runtime/core/rix_object.h"

const ClassInfo* CRixObject::ClassRecord() {
    static const ClassInfo info = MakeClassInfo("CRixObject", &CRixObject::RixCreate);
    return &info;
}

CRixObject* CRixObject::RixCreate() {
    return new CRixObject();
}

int CRixObject::IsEqual(const CRixObject& other) const {
    if (!SameClass(ClassRecord(), other.GetClassInfo()))
        return 0;
    return RixEqualChain(other) ? 1 : 0;
}

CRixObject* CRixObject::CreateNew() const {
    return new CRixObject();
}

CRixObject* CRixObject::Clone() const {
    return new CRixObject(*this);
}

int CRixObject::Assign(const CRixObject& source) {
    if (!source.IsKindOf(ClassRecord()))
        return 0;
    BeforeOverwrite();
    RixCopyChain(source);
    return 1;
}

void CRixObject::Reset() {
    BeforeOverwrite();
    RixResetChain();
}

int CRixObject::IsKindOf(const ClassInfo* info) const {
    return SameClass(info, ClassRecord()) ? 1 : 0;
}

// FIXME: the readable description (class name and address) arrives with CWString; until then
// the default dump writes nothing.
void CRixObject::DumpToText(CWString&, int64_t) const {}
