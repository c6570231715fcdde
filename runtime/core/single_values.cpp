// The dumps of the single-value classes: each replaces the output with the value's text.
#include "runtime/core/single_values.h"

#include "runtime/core/double_text.h"
#include "runtime/core/int64_text.h"
#include "runtime/core/wstring.h"

namespace rg_lch_jb {

namespace {

void ReplaceWithInt64(CWString& out, int64_t value) {
    WCHAR buffer[kInt64TextUnits];
    out.Empty();
    out.Append(Int64ToText(value, buffer));
}

} // namespace

void rg_zhshl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("%d"), m_Value);
}

void rg_ljxl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("%d"), m_Value);
}

void rg_xshl::DumpToText(CWString& out, int64_t) const {
    // The text, not the object: the output keeps its own header words.
    const CWString text = DoubleToText(m_Value);
    out.Empty();
    out.Append(text);
}

void rg_dzhshl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("%d"), static_cast<int32_t>(m_Value));
}

void rg_bzhshl::DumpToText(CWString& out, int64_t) const {
    ReplaceWithInt64(out, m_Value);
}

void rg_chzhshl::DumpToText(CWString& out, int64_t) const {
    ReplaceWithInt64(out, m_Value);
}

void rg_zfl::DumpToText(CWString& out, int64_t) const {
    out.Empty();
    out.AppendChar(m_Value);
}

void rg_zjl::DumpToText(CWString& out, int64_t) const {
    out.Format(TEXT("%d"), static_cast<int32_t>(m_Value));
}

} // namespace rg_lch_jb
