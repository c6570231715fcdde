// rg_wzhl, the position record: a horizontal and a vertical position, signed 32-bit each.
#pragma once

#include <cstdint>

#include "runtime/core/rg_kzhdxl.h"

class CWString;

namespace rg_lch_jb {

class rg_wzhl : public rg_kzhdxl {
    RIX_OBJECT(rg_wzhl, rg_kzhdxl, "rg_lch_jb::rg_wzhl")
public:
    rg_wzhl() = default;
    rg_wzhl(int32_t x, int32_t y) : m_nX(x), m_nY(y) {}
    rg_wzhl(const rg_wzhl&) = default;
    rg_wzhl& operator=(const rg_wzhl&) = default;
    ~rg_wzhl() override = default;

    int32_t GetX() const { return m_nX; }
    int32_t GetY() const { return m_nY; }
    void SetX(int32_t x) { m_nX = x; }
    void SetY(int32_t y) { m_nY = y; }

    // Replaces the output with "{ 横向位置: x; 纵向位置: y }".
    void DumpToText(CWString& out, int64_t memberLimit) const override;

protected:
    bool RixEqualFields(const rg_wzhl& other) const {
        return m_nX == other.m_nX && m_nY == other.m_nY;
    }
    void RixCopyFields(const rg_wzhl& other) {
        m_nX = other.m_nX;
        m_nY = other.m_nY;
    }
    void RixResetFields() {
        m_nX = 0;
        m_nY = 0;
    }

private:
    int32_t m_nX = 0;
    int32_t m_nY = 0;
};

} // namespace rg_lch_jb
