// rg_wbshzl, the text array: an ordered list of owned texts in an embedded CMStringArray, the
// list type the application keeps its step codes and scheme paths in.
//
// A null element and an empty text are the same thing to every operation: both read back as
// the empty text and compare equal. Element indexes and removal ranges are not checked; every
// caller keeps them within 0 … count − 1.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/rg_kzhdxl.h"

class CWString;

namespace rg_lch_jb {

class rg_wbshzl : public rg_kzhdxl {
    RIX_OBJECT(rg_wbshzl, rg_kzhdxl, "rg_lch_jb::rg_wbshzl")
public:
    rg_wbshzl() = default;
    rg_wbshzl(const rg_wbshzl& other) = default;
    rg_wbshzl& operator=(const rg_wbshzl& other);
    ~rg_wbshzl() override = default;

    // Attributes
    int64_t GetCount() const { return m_Array.GetCount(); }
    // The element at index, or null for an empty one.
    const WCHAR* GetAt(int64_t index) const { return m_Array.GetAt(index); }
    // The element at index as a text, never null.
    const WCHAR* GetTextAt(int64_t index) const { return m_Array.GetTextAt(index); }
    CMStringArray& GetArray() { return m_Array; }
    const CMStringArray& GetArray() const { return m_Array; }

    // Operations
    int64_t Append(const WCHAR* text) { return m_Array.Append(text); }
    void RemoveRange(int64_t first, int64_t count) { m_Array.RemoveRange(first, count); }
    void Clear() { m_Array.Clear(); }

    // Appends the text array description: a header with the count and one quoted element per
    // line, at most memberLimit of them (0: 64, negative: all).
    void DumpToText(CWString& out, int64_t memberLimit) const override;

protected:
    bool RixEqualFields(const rg_wbshzl& other) const;
    void RixCopyFields(const rg_wbshzl& other);
    void RixResetFields() { m_Array.Clear(); }

private:
    CMStringArray m_Array;
};

} // namespace rg_lch_jb
