// The directory-entry record's field operations.
#include "runtime/core/find_records.h"

#include <cstring>

namespace rg_lch_qmmk {

void rg_WIN32_FIND_DATAW::SetFrom(const WIN32_FIND_DATAW& d) {
    m_nFileAttributes = d.dwFileAttributes;
    m_CreationTime.SetFrom(d.ftCreationTime);
    m_LastAccessTime.SetFrom(d.ftLastAccessTime);
    m_LastWriteTime.SetFrom(d.ftLastWriteTime);
    m_nFileSizeHigh = d.nFileSizeHigh;
    m_nFileSizeLow = d.nFileSizeLow;
    m_nReserved0 = d.dwReserved0;
    m_nReserved1 = d.dwReserved1;
    std::memcpy(m_szFileName, d.cFileName, sizeof m_szFileName);
    m_szFileName[kNameUnits - 1] = 0;
    std::memcpy(m_szAlternateFileName, d.cAlternateFileName, sizeof m_szAlternateFileName);
    m_szAlternateFileName[kAlternateUnits - 1] = 0;
}

bool rg_WIN32_FIND_DATAW::RixEqualFields(const rg_WIN32_FIND_DATAW& o) const {
    return m_nFileAttributes == o.m_nFileAttributes && m_CreationTime.IsEqual(o.m_CreationTime) &&
           m_LastAccessTime.IsEqual(o.m_LastAccessTime) &&
           m_LastWriteTime.IsEqual(o.m_LastWriteTime) && m_nFileSizeHigh == o.m_nFileSizeHigh &&
           m_nFileSizeLow == o.m_nFileSizeLow && m_nReserved0 == o.m_nReserved0 &&
           m_nReserved1 == o.m_nReserved1 &&
           std::memcmp(m_szFileName, o.m_szFileName, sizeof m_szFileName) == 0 &&
           std::memcmp(m_szAlternateFileName, o.m_szAlternateFileName,
                       sizeof m_szAlternateFileName) == 0;
}

void rg_WIN32_FIND_DATAW::RixCopyFields(const rg_WIN32_FIND_DATAW& o) {
    m_nFileAttributes = o.m_nFileAttributes;
    m_CreationTime.Assign(o.m_CreationTime);
    m_LastAccessTime.Assign(o.m_LastAccessTime);
    m_LastWriteTime.Assign(o.m_LastWriteTime);
    m_nFileSizeHigh = o.m_nFileSizeHigh;
    m_nFileSizeLow = o.m_nFileSizeLow;
    m_nReserved0 = o.m_nReserved0;
    m_nReserved1 = o.m_nReserved1;
    std::memcpy(m_szFileName, o.m_szFileName, sizeof m_szFileName);
    std::memcpy(m_szAlternateFileName, o.m_szAlternateFileName, sizeof m_szAlternateFileName);
}

void rg_WIN32_FIND_DATAW::RixResetFields() {
    m_nFileAttributes = 0;
    m_CreationTime.Reset();
    m_LastAccessTime.Reset();
    m_LastWriteTime.Reset();
    m_nFileSizeHigh = m_nFileSizeLow = m_nReserved0 = m_nReserved1 = 0;
    std::memset(m_szFileName, 0, sizeof m_szFileName);
    std::memset(m_szAlternateFileName, 0, sizeof m_szAlternateFileName);
}

} // namespace rg_lch_qmmk
