// Validation of the eleven lines of a menu item.
#include "runtime/ui/menu_item_text.h"

#include "runtime/core/int64_text.h"
#include "runtime/ui/key_names.h"

namespace {

enum Line : int64_t {
    kLevel = 0,
    kCaption = 1,
    kId = 3,
    kTag = 4,
    kShortcut = 5,
    kCtrl = 6,
    kShift = 7,
    kSeparator = 8,
    kChecked = 9,
    kDisabled = 10,
};

// A flag line: exactly "1" or "0". Answers false for anything else.
bool ReadFlag(const WCHAR* line, bool& flag) {
    if ((line[0] != TEXT('0') && line[0] != TEXT('1')) || line[1] != 0)
        return false;
    flag = line[0] == TEXT('1');
    return true;
}

WCHAR AsciiLower(WCHAR c) {
    return c >= TEXT('A') && c <= TEXT('Z') ? static_cast<WCHAR>(c - TEXT('A') + TEXT('a')) : c;
}

// Key names are plain ASCII, so folding the ASCII letters is all "ignoring case" needs.
bool SameIgnoringCase(const WCHAR* a, const WCHAR* b) {
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (AsciiLower(*a) != AsciiLower(*b))
            return false;
    }
    return *a == *b;
}

// The first virtual-key code whose name equals the text, or 0 when none does.
uint32_t KeyCodeOfName(const WCHAR* name) {
    for (uint32_t code = 0; code < 256; ++code) {
        const WCHAR* candidate = KeyNameText(code);
        if (candidate[0] != 0 && SameIgnoringCase(candidate, name))
            return code;
    }
    return 0;
}

} // namespace

int64_t MenuLineValue(const CMStringArray& lines, int64_t i) {
    return i < lines.GetCount() ? TextToInt64(lines.GetTextAt(i)) : -1;
}

int64_t ParseItem(const CMStringArray& lines, int64_t i, MenuItemFields& item) {
    if (i < 0 || lines.GetCount() - i < kMenuItemLines)
        return -1;
    auto line = [&](int64_t k) { return lines.GetTextAt(i + k); };
    item = MenuItemFields{};
    item.level = TextToInt64(line(kLevel));
    if (item.level < 0)
        return -1;
    item.caption = line(kCaption);
    item.id = TextToInt64(line(kId));
    item.tag = line(kTag);
    bool ctrl = false;
    bool shift = false;
    if (!ReadFlag(line(kCtrl), ctrl) || !ReadFlag(line(kShift), shift) ||
        !ReadFlag(line(kSeparator), item.separator) || !ReadFlag(line(kChecked), item.checked) ||
        !ReadFlag(line(kDisabled), item.disabled))
        return -1;
    const int64_t next = i + kMenuItemLines;
    if (item.separator)
        return next;
    if (item.caption[0] == 0 || item.id < 1 || item.id > 65535)
        return -1;
    const WCHAR* shortcut = line(kShortcut);
    if (shortcut[0] == 0)
        return next;
    const uint32_t code = KeyCodeOfName(shortcut);
    if (code == 0)
        return -1;
    item.keyCode = code | (ctrl ? kKeyCtrl : 0) | (shift ? kKeyShift : 0);
    return next;
}
