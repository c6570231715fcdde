// CRixException, the runtime's only exception: a code and the description shown to the user.
// Thrown by value and caught by reference; the start-up guard is its only catcher.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/rix_object.h"
#include "runtime/core/wstring.h"

class CRixException : public CRixObject {
    RIX_OBJECT(CRixException, CRixObject, "CRixException")
public:
    // Code 0, empty description.
    CRixException() = default;
    // Code -1 and a copy of the message (empty when null or empty).
    explicit CRixException(const WCHAR* message) : m_nCode(-1), m_Description(message) {}
    CRixException(const CRixException& other) = default;
    CRixException& operator=(const CRixException& other) = default;
    ~CRixException() override = default;

    int32_t GetCode() const { return m_nCode; }
    const CWString& GetDescription() const { return m_Description; }

protected:
    // Equality looks at the code only, never at the description.
    bool RixEqualFields(const CRixException& other) const { return m_nCode == other.m_nCode; }
    void RixCopyFields(const CRixException& other) {
        m_nCode = other.m_nCode;
        m_Description = other.m_Description;
    }
    void RixResetFields() {
        m_nCode = 0;
        m_Description.Empty();
    }

private:
    int32_t m_nCode = 0;
    CWString m_Description;
};
