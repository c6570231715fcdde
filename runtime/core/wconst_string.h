// CWConstString, a text made over a constant literal. It borrows the literal until the first
// change and otherwise behaves as a CWString; being its own class, it never equals a
// CWString, and a CWString cannot be assigned into it.
#pragma once

#include "runtime/core/wstring.h"

class CWConstString : public CWString {
    RIX_OBJECT(CWConstString, CWString, "CWConstString")
    RIX_NO_OWN_FIELDS(CWConstString)
public:
    CWConstString() = default;
    // The literal must outlive the text and every text that copies it.
    explicit CWConstString(const WCHAR* literal) { m_pBorrowed = literal; }
    CWConstString(const CWConstString&) = default;
    CWConstString& operator=(const CWConstString&) = default;
    ~CWConstString() override = default;
};
