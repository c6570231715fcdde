// The size record's dump.
#include "runtime/core/rg_chcl.h"

#include "runtime/core/wstring.h"

namespace rg_lch_jb {

void rg_chcl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("{ 宽度: %d; 高度: %d }"), m_nWidth, m_nHeight);
}

} // namespace rg_lch_jb
