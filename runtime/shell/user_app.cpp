// The value class table of the program class.
#include "runtime/shell/user_app.h"

#include "runtime/core/single_values.h"

namespace rg_lch_jb {

const ClassInfo* const* rg_chxl::GetValueClassTable() const {
    static const ClassInfo* const table[8] = {
        rg_zjl::ClassRecord(),   rg_dzhshl::ClassRecord(), rg_zfl::ClassRecord(),
        rg_zhshl::ClassRecord(), rg_bzhshl::ClassRecord(), rg_chzhshl::ClassRecord(),
        rg_xshl::ClassRecord(),  rg_ljxl::ClassRecord(),
    };
    return table;
}

} // namespace rg_lch_jb
