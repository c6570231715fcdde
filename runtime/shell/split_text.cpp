// SplitText. One pass over the text; each unit is tested against the separator set through a
// bitmap when the set is ASCII (the usual case: a space or a comma), so the cost is linear in
// the text whatever the set.
#include "runtime/shell/split_text.h"

namespace {

bool IsBlank(WCHAR c) {
    return c <= 32;
}

class SeparatorSet {
public:
    explicit SeparatorSet(const WCHAR* separators) : m_pSet(separators) {
        if (separators == nullptr)
            return;
        for (const WCHAR* p = separators; *p != 0; ++p) {
            if (*p < 128)
                m_Ascii[*p / 64] |= uint64_t{1} << (*p % 64);
            else
                m_bWide = true;
        }
    }

    bool Contains(WCHAR c) const {
        if (c < 128)
            return (m_Ascii[c / 64] >> (c % 64)) & 1;
        if (!m_bWide)
            return false;
        for (const WCHAR* p = m_pSet; *p != 0; ++p)
            if (*p == c)
                return true;
        return false;
    }

private:
    const WCHAR* m_pSet;
    uint64_t m_Ascii[2] = {0, 0};
    bool m_bWide = false;
};

} // namespace

int64_t SplitText(const WCHAR* text, CMStringArray& array, const WCHAR* separators, bool trim,
                  bool skipEmpty) {
    array.Clear();
    const SeparatorSet set(separators);
    const WCHAR* rest = text;
    while (rest != nullptr && *rest != 0) {
        const WCHAR* begin = rest;
        const WCHAR* end = rest;
        while (*end != 0 && !set.Contains(*end))
            ++end;
        // The remaining text starts after the separator, or there is none.
        rest = *end != 0 ? end + 1 : nullptr;

        const WCHAR* first = begin;
        const WCHAR* last = end;
        if (trim || skipEmpty) {
            while (first < last && IsBlank(*first))
                ++first;
            while (last > first && IsBlank(last[-1]))
                --last;
        }
        if (skipEmpty && first == last)
            continue;
        if (trim)
            array.AppendUnits(first, last - first);
        else
            array.AppendUnits(begin, end - begin);

        if (!skipEmpty && rest != nullptr && *rest == 0) {
            array.Append(nullptr);
            break;
        }
    }
    return array.GetCount();
}

int64_t SplitText(const WCHAR* text, rg_lch_jb::rg_wbshzl& array, const WCHAR* separators,
                  bool trim, bool skipEmpty) {
    return SplitText(text, array.GetArray(), separators, trim, skipEmpty);
}
