// Three records of the object family that mirror operating-system structures: a point
// (rg_qm_zb), a file time (rg_FILETIME) and one directory entry (rg_WIN32_FIND_DATAW). All
// fields default to 0 and take part in equality, assignment and reset.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/rix_object.h"

namespace rg_lch_qmmk {

class rg_qm_zb : public CRixObject {
    RIX_OBJECT(rg_qm_zb, CRixObject, "rg_lch_qmmk::rg_qm_zb")
public:
    int32_t m_nX = 0;
    int32_t m_nY = 0;

protected:
    bool RixEqualFields(const rg_qm_zb& o) const { return m_nX == o.m_nX && m_nY == o.m_nY; }
    void RixCopyFields(const rg_qm_zb& o) {
        m_nX = o.m_nX;
        m_nY = o.m_nY;
    }
    void RixResetFields() { m_nX = m_nY = 0; }
};

class rg_FILETIME : public CRixObject {
    RIX_OBJECT(rg_FILETIME, CRixObject, "rg_lch_qmmk::rg_FILETIME")
public:
    uint32_t m_nLowDateTime = 0;
    uint32_t m_nHighDateTime = 0;

    void SetFrom(const FILETIME& t) {
        m_nLowDateTime = t.dwLowDateTime;
        m_nHighDateTime = t.dwHighDateTime;
    }

protected:
    bool RixEqualFields(const rg_FILETIME& o) const {
        return m_nLowDateTime == o.m_nLowDateTime && m_nHighDateTime == o.m_nHighDateTime;
    }
    void RixCopyFields(const rg_FILETIME& o) {
        m_nLowDateTime = o.m_nLowDateTime;
        m_nHighDateTime = o.m_nHighDateTime;
    }
    void RixResetFields() { m_nLowDateTime = m_nHighDateTime = 0; }
};

class rg_WIN32_FIND_DATAW : public CRixObject {
    RIX_OBJECT(rg_WIN32_FIND_DATAW, CRixObject, "rg_lch_qmmk::rg_WIN32_FIND_DATAW")
public:
    static constexpr int kNameUnits = 260;
    static constexpr int kAlternateUnits = 14;

    // Copies an entry as the system delivered it; names are cut and terminated to fit.
    void SetFrom(const WIN32_FIND_DATAW& data);

    uint32_t m_nFileAttributes = 0;
    rg_FILETIME m_CreationTime;
    rg_FILETIME m_LastAccessTime;
    rg_FILETIME m_LastWriteTime;
    uint32_t m_nFileSizeHigh = 0;
    uint32_t m_nFileSizeLow = 0;
    uint32_t m_nReserved0 = 0;
    uint32_t m_nReserved1 = 0;
    WCHAR m_szFileName[kNameUnits] = {};
    WCHAR m_szAlternateFileName[kAlternateUnits] = {};

protected:
    bool RixEqualFields(const rg_WIN32_FIND_DATAW& o) const;
    // Each time record gets its own BeforeOverwrite, then its header words and halves.
    void RixCopyFields(const rg_WIN32_FIND_DATAW& o);
    void RixResetFields();
};

} // namespace rg_lch_qmmk
