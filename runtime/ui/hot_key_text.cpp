// Shortcut texts built from the key-name table.
#include "runtime/ui/hot_key_text.h"

#include "runtime/ui/key_names.h"

CWString HotKeyText(int64_t value) {
    CWString name = KeyName(value);
    if (name.IsEmpty() || (static_cast<uint64_t>(value) & ~uint64_t{0xFF}) == 0)
        return name;
    CWString text;
    if (value & kKeyCtrl)
        text.Append(TEXT("Ctrl"));
    if (value & kKeyShift)
        text.Append(text.IsEmpty() ? TEXT("Shift") : TEXT("+Shift"));
    if (value & kKeyAlt)
        text.Append(text.IsEmpty() ? TEXT("Alt") : TEXT("+Alt"));
    if (!text.IsEmpty())
        text.Append(TEXT("+"));
    text.Append(name);
    return text;
}
