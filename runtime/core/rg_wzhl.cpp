// The position record's dump.
#include "runtime/core/rg_wzhl.h"

#include "runtime/core/wstring.h"

namespace rg_lch_jb {

void rg_wzhl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("{ 横向位置: %d; 纵向位置: %d }"), m_nX, m_nY);
}

} // namespace rg_lch_jb
