// The text array's protocol: element-wise equality, copying assignment, dump.
#include "runtime/core/rg_wbshzl.h"

#include "runtime/core/wstring.h"

namespace rg_lch_jb {

rg_wbshzl& rg_wbshzl::operator=(const rg_wbshzl& other) {
    Assign(other);
    return *this;
}

bool rg_wbshzl::RixEqualFields(const rg_wbshzl& other) const {
    if (&other == this)
        return true;
    const int64_t count = m_Array.GetCount();
    if (count != other.m_Array.GetCount())
        return false;
    for (int64_t i = 0; i < count; ++i) {
        const WCHAR* a = m_Array.GetTextAt(i);
        const WCHAR* b = other.m_Array.GetTextAt(i);
        while (*a != 0 && *a == *b) {
            ++a;
            ++b;
        }
        if (*a != *b)
            return false;
    }
    return true;
}

void rg_wbshzl::RixCopyFields(const rg_wbshzl& other) {
    // Assigning an array to itself must not free the elements it is about to copy.
    if (&other == this)
        return;
    m_Array.CopyFrom(other.m_Array);
}

void rg_wbshzl::DumpToText(CWString& out, int64_t memberLimit) const {
    m_Array.DumpToText(out, memberLimit);
}

} // namespace rg_lch_jb
