// Conversion between the size-limit value and the operating system's record.
#include "runtime/ui/min_max_info.h"

namespace rg_lch_MFCjm_jb {

namespace {
rg_lch_jb::rg_chcl SizeOf(POINT p) {
    return rg_lch_jb::rg_chcl(p.x, p.y);
}
POINT PointOf(const rg_lch_jb::rg_chcl& size) {
    return POINT{size.GetWidth(), size.GetHeight()};
}
} // namespace

void rg_chkwzhxzhxx::ReadFrom(const MINMAXINFO& record) {
    m_MaxSize = SizeOf(record.ptMaxSize);
    m_MaxPosition = rg_lch_jb::rg_wzhl(record.ptMaxPosition.x, record.ptMaxPosition.y);
    m_MinTrackSize = SizeOf(record.ptMinTrackSize);
    m_MaxTrackSize = SizeOf(record.ptMaxTrackSize);
}

void rg_chkwzhxzhxx::WriteTo(MINMAXINFO& record) const {
    record.ptMaxSize = PointOf(m_MaxSize);
    record.ptMaxPosition = POINT{m_MaxPosition.GetX(), m_MaxPosition.GetY()};
    record.ptMinTrackSize = PointOf(m_MinTrackSize);
    record.ptMaxTrackSize = PointOf(m_MaxTrackSize);
}

bool rg_chkwzhxzhxx::RixEqualFields(const rg_chkwzhxzhxx& other) const {
    return m_MaxSize.IsEqual(other.m_MaxSize) != 0 &&
           m_MaxPosition.IsEqual(other.m_MaxPosition) != 0 &&
           m_MinTrackSize.IsEqual(other.m_MinTrackSize) != 0 &&
           m_MaxTrackSize.IsEqual(other.m_MaxTrackSize) != 0;
}

void rg_chkwzhxzhxx::RixCopyFields(const rg_chkwzhxzhxx& other) {
    m_MaxSize = other.m_MaxSize;
    m_MaxPosition = other.m_MaxPosition;
    m_MinTrackSize = other.m_MinTrackSize;
    m_MaxTrackSize = other.m_MaxTrackSize;
}

void rg_chkwzhxzhxx::RixResetFields() {
    m_MaxSize = rg_lch_jb::rg_chcl();
    m_MaxPosition = rg_lch_jb::rg_wzhl();
    m_MinTrackSize = rg_lch_jb::rg_chcl();
    m_MaxTrackSize = rg_lch_jb::rg_chcl();
}

} // namespace rg_lch_MFCjm_jb
