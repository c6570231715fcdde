// The default object protocol of CRixObject.
#include "runtime/core/rix_object.h"

#include <cstdint>

#include "runtime/core/utf8.h"
#include "runtime/core/wstring.h"

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

// Any object without a dump of its own describes itself by class name and address.
void CRixObject::DumpToText(CWString& out, int64_t) const {
    CWString name;
    Utf8ToText(GetClassInfo()->pszName, name);
    out.AppendFormat(TEXT("无法解析的对象数据,其输出类名为: \"%s\", 地址为: 0x%I64x"),
                     name.GetText(),
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
    if (IsEmptyObject())
        out.Append(TEXT(", 为空对象"));
}
