// rg_chcl, the size record: a width and a height, signed 32-bit each.
#pragma once

#include <cstdint>

#include "runtime/core/rg_kzhdxl.h"

class CWString;

namespace rg_lch_jb {

class rg_chcl : public rg_kzhdxl {
    RIX_OBJECT(rg_chcl, rg_kzhdxl, "rg_lch_jb::rg_chcl")
public:
    rg_chcl() = default;
    rg_chcl(int32_t width, int32_t height) : m_nWidth(width), m_nHeight(height) {}
    rg_chcl(const rg_chcl&) = default;
    rg_chcl& operator=(const rg_chcl&) = default;
    ~rg_chcl() override = default;

    int32_t GetWidth() const { return m_nWidth; }
    int32_t GetHeight() const { return m_nHeight; }
    void SetWidth(int32_t width) { m_nWidth = width; }
    void SetHeight(int32_t height) { m_nHeight = height; }

    // Replaces the output with "{ 宽度: width; 高度: height }".
    void DumpToText(CWString& out, int64_t memberLimit) const override;

protected:
    bool RixEqualFields(const rg_chcl& other) const {
        return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight;
    }
    void RixCopyFields(const rg_chcl& other) {
        m_nWidth = other.m_nWidth;
        m_nHeight = other.m_nHeight;
    }
    void RixResetFields() {
        m_nWidth = 0;
        m_nHeight = 0;
    }

private:
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};

} // namespace rg_lch_jb
