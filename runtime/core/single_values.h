// The eight single-value classes of the basic class library: a 32-bit integer (rg_zhshl), a
// logical value held as a 32-bit integer (rg_ljxl, so 1 and 2 differ), a decimal (rg_xshl), a
// 16-bit integer (rg_dzhshl), two 64-bit integers (rg_bzhshl and rg_chzhshl), a UTF-16 unit
// (rg_zfl) and a signed byte (rg_zjl).
//
// They behave alike: the value defaults to zero, Assign and Clone copy it, Reset zeroes it,
// GetValuePtr gives its address, and DumpToText replaces the output with the value's text.
// Equality is exact except for the decimal, which allows for rounding (DecimalsEqual).
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/base_data_type.h"

class CWString;

namespace rg_lch_jb {

// Two decimals are equal when this - other lies within -1e-6 … 1e-6, both ends included; a NaN
// difference is never within it.
inline bool DecimalsEqual(double a, double b) {
    const double difference = a - b;
    return difference >= -1e-6 && difference <= 1e-6;
}

template <typename T> bool SingleValuesEqual(T a, T b) {
    return a == b;
}
inline bool SingleValuesEqual(double a, double b) {
    return DecimalsEqual(a, b);
}

#define RG_SINGLE_VALUE_CLASS(Class, Type)                                                         \
    class Class : public CRixBaseDataType {                                                        \
        RIX_OBJECT(Class, CRixBaseDataType, "rg_lch_jb::" #Class)                                  \
    public:                                                                                        \
        using ValueType = Type;                                                                    \
        Class() = default;                                                                         \
        explicit Class(Type value) : m_Value(value) {}                                             \
        Class(const Class&) = default;                                                             \
        Class& operator=(const Class&) = default;                                                  \
        ~Class() override = default;                                                               \
        Type GetValue() const { return m_Value; }                                                  \
        void SetValue(Type value) { m_Value = value; }                                             \
        void* GetValuePtr() override { return &m_Value; }                                          \
        void DumpToText(CWString& out, int64_t memberLimit) const override;                        \
                                                                                                   \
    protected:                                                                                     \
        bool RixEqualFields(const Class& other) const {                                            \
            return SingleValuesEqual(m_Value, other.m_Value);                                      \
        }                                                                                          \
        void RixCopyFields(const Class& other) { m_Value = other.m_Value; }                        \
        void RixResetFields() { m_Value = Type(); }                                                \
                                                                                                   \
    private:                                                                                       \
        Type m_Value = Type();                                                                     \
    }

RG_SINGLE_VALUE_CLASS(rg_zhshl, int32_t);
RG_SINGLE_VALUE_CLASS(rg_ljxl, int32_t);
RG_SINGLE_VALUE_CLASS(rg_xshl, double);
RG_SINGLE_VALUE_CLASS(rg_dzhshl, int16_t);
RG_SINGLE_VALUE_CLASS(rg_bzhshl, int64_t);
RG_SINGLE_VALUE_CLASS(rg_chzhshl, int64_t);
RG_SINGLE_VALUE_CLASS(rg_zfl, WCHAR);
RG_SINGLE_VALUE_CLASS(rg_zjl, int8_t);

#undef RG_SINGLE_VALUE_CLASS

} // namespace rg_lch_jb
