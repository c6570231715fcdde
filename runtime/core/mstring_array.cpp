// CMStringArray: owned element blocks behind a buffer of slots, and the array dump.
#include "runtime/core/mstring_array.h"

#include "runtime/core/dump_header.h"

#include <cstring>

#include "runtime/core/text_escape.h"
#include "runtime/core/wstring.h"

namespace {
constexpr int64_t kUnit = static_cast<int64_t>(sizeof(WCHAR));
const WCHAR kEmptyText[1] = {0};
} // namespace

const ClassNameInfo* CMStringArray::ClassRecord() {
    static const ClassNameInfo info = MakeClassNameInfo("CMStringArray");
    return &info;
}

CMStringArray::CMStringArray(const CMStringArray& other) : CRixCommonBaseWithMemManager() {
    CopyFrom(other);
}

CMStringArray& CMStringArray::operator=(const CMStringArray& other) {
    CopyFrom(other);
    return *this;
}

const WCHAR* CMStringArray::GetTextAt(int64_t index) const {
    const WCHAR* text = GetAt(index);
    return text != nullptr ? text : kEmptyText;
}

int64_t CMStringArray::Append(const WCHAR* text) {
    WCHAR* element = nullptr;
    if (text != nullptr && text[0] != 0) {
        int64_t units = 0;
        while (text[units] != 0)
            ++units;
        if (units > INT64_MAX / kUnit - 1)
            RixOutOfMemory();
        element = static_cast<WCHAR*>(AllocMem((units + 1) * kUnit));
        std::memcpy(element, text, static_cast<size_t>(units * kUnit));
        element[units] = 0;
    }
    m_Slots.Append(&element, kSlotSize);
    return GetCount() - 1;
}

int64_t CMStringArray::AppendUnits(const WCHAR* units, int64_t count) {
    WCHAR* element = nullptr;
    if (units != nullptr && count > 0) {
        if (count > INT64_MAX / kUnit - 1)
            RixOutOfMemory();
        element = static_cast<WCHAR*>(AllocMem((count + 1) * kUnit));
        std::memcpy(element, units, static_cast<size_t>(count * kUnit));
        element[count] = 0;
    }
    m_Slots.Append(&element, kSlotSize);
    return GetCount() - 1;
}

void CMStringArray::RemoveRange(int64_t first, int64_t count) {
    if (count <= 0)
        return;
    WCHAR** slots = Slots();
    for (int64_t i = first; i < first + count; ++i)
        if (slots[i] != nullptr)
            FreeMem(slots[i]);
    m_Slots.RemoveRange(first * kSlotSize, count * kSlotSize);
}

void CMStringArray::Clear() {
    int64_t count = GetCount();
    WCHAR** slots = Slots();
    for (int64_t i = 0; i < count; ++i)
        if (slots[i] != nullptr)
            FreeMem(slots[i]);
    m_Slots.Free();
}

void CMStringArray::CopyFrom(const CMStringArray& other) {
    if (this == &other)
        return;
    Clear();
    int64_t count = other.GetCount();
    for (int64_t i = 0; i < count; ++i)
        Append(other.GetAt(i));
}

void CMStringArray::DumpToText(CWString& out, int64_t memberLimit) const {
    int64_t n = GetCount();
    int64_t shown = DumpShownCount(n, memberLimit, kDefaultDumpLimit);
    AppendDumpHeader(out, TEXT("数组"), TEXT("成员"), n, shown);
    for (int64_t i = 0; i < shown; ++i) {
        out.AppendFormat(TEXT("\r\n%I64d. "), static_cast<long long>(i + 1));
        AppendQuotedText(out, GetAt(i));
    }
}
