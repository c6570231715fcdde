// The step menu's description text: the version line, then eleven fields per item (level,
// caption, second text, id, tag, shortcut, Ctrl, Shift, separator, check mark, disabled),
// joined by CR LF with none after the last field.
#include "app/window/step_menu.h"

namespace rg_lch_jxt {

CWString rg_cch::DescriptionText() const {
    static constexpr struct {
        const WCHAR* level;
        const WCHAR* caption;
        const WCHAR* id;
    } kItems[] = {
        {TEXT("0"), TEXT("动态菜单"), TEXT("100")},
        {TEXT("1"), TEXT("上移"), TEXT("101")},
        {TEXT("1"), TEXT("下移"), TEXT("102")},
        {TEXT("1"), TEXT("删除"), TEXT("103")},
    };
    CWString text(TEXT("1"));
    for (const auto& item : kItems) {
        const WCHAR* fields[11] = {item.level, item.caption, item.caption, item.id,
                                   TEXT(""),   TEXT(""),     TEXT("0"),    TEXT("0"),
                                   TEXT("0"),  TEXT("0"),    TEXT("0")};
        for (const WCHAR* field : fields) {
            text.Append(TEXT("\r\n"));
            text.Append(field);
        }
    }
    return text;
}

} // namespace rg_lch_jxt
