// rg_kzhdxl, the common base of the library's records (position, size, text array). It adds no
// fields; equality is the common check and the dump the default object description.
#pragma once

#include "runtime/core/rix_object.h"

namespace rg_lch_jb {

class rg_kzhdxl : public CRixObject {
    RIX_OBJECT(rg_kzhdxl, CRixObject, "rg_lch_jb::rg_kzhdxl")
    RIX_NO_OWN_FIELDS(rg_kzhdxl)
public:
    rg_kzhdxl() = default;
    rg_kzhdxl(const rg_kzhdxl&) = default;
    rg_kzhdxl& operator=(const rg_kzhdxl&) = default;
    ~rg_kzhdxl() override = default;
};

} // namespace rg_lch_jb
