// CWString: the three states, appends, formatting, slicing and trimming.
#include "runtime/core/wstring.h"

#include <cstring>

#include "runtime/core/utf8.h"

namespace {
constexpr int64_t kUnit = static_cast<int64_t>(sizeof(WCHAR));

int64_t UnitCount(const WCHAR* text) {
    int64_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

// Unit counts whose byte size (with a terminator) would not fit a signed 64-bit length can
// never be allocated: treat them as exhausted memory rather than overflow.
void CheckUnitCount(int64_t units) {
    if (units > INT64_MAX / kUnit - 1)
        RixOutOfMemory();
}

bool IsBlank(WCHAR unit) {
    return unit <= 32;
}
} // namespace

const WCHAR CWString::kEmptyText[1] = {0};

CWString::CWString(const CWString& other)
    : CRixObject(other), m_pBorrowed(other.m_pBorrowed), m_Buffer(other.m_Buffer) {}

CWString::CWString(const char* utf8) {
    Utf8ToText(utf8, *this);
}

CWString::CWString(int32_t value) {
    Format(TEXT("%d"), value);
}

CWString& CWString::operator=(const CWString& other) {
    if (this != &other)
        RixCopyChain(other);
    return *this;
}

int64_t CWString::GetLength() const {
    if (m_pBorrowed != nullptr)
        return UnitCount(m_pBorrowed);
    int64_t units = m_Buffer.GetLength() / kUnit - 1;
    return units > 0 ? units : 0;
}

bool CWString::RixEqualFields(const CWString& other) const {
    const WCHAR* a = GetText();
    const WCHAR* b = other.GetText();
    for (;; ++a, ++b) {
        if (*a != *b)
            return false;
        if (*a == 0)
            return true;
    }
}

void CWString::RixCopyFields(const CWString& other) {
    m_pBorrowed = other.m_pBorrowed;
    m_Buffer.CopyBytesFrom(other.m_Buffer);
}

CRixMem& CWString::Materialize() {
    if (m_pBorrowed != nullptr) {
        const WCHAR* text = m_pBorrowed;
        int64_t units = UnitCount(text);
        BYTE* data = m_Buffer.SetLength((units + 1) * kUnit);
        std::memcpy(data, text, static_cast<size_t>((units + 1) * kUnit));
        m_pBorrowed = nullptr;
    }
    return m_Buffer;
}

void CWString::AppendGeneral(const WCHAR* text) {
    if (text == nullptr || text[0] == 0)
        return;
    if (OwnsPointer(text)) {
        CWString copy(text);
        AppendGeneral(copy.GetText());
        return;
    }
    Materialize();
    DropTerminator();
    // The units and the terminator go in as two appends, not one: the next append reads the
    // terminator back, and a two-byte read from the middle of a wider store stalls the
    // processor's store forwarding, which made appending short texts half again slower.
    static const WCHAR kZero = 0;
    m_Buffer.AppendWideUnits(text);
    m_Buffer.Append(&kZero, kUnit);
}

void CWString::AppendUnits(const WCHAR* units, int64_t count) {
    if (units == nullptr || count <= 0)
        return;
    if (OwnsPointer(units)) {
        CWString copy;
        copy.AssignUnits(units, count);
        AppendUnits(copy.GetText(), count);
        return;
    }
    CheckUnitCount(count);
    Materialize();
    DropTerminator();
    static const WCHAR kZero = 0;
    m_Buffer.Append(units, count * kUnit);
    m_Buffer.Append(&kZero, kUnit);
}

void CWString::Format(const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

// The output is built in fresh storage and only then replaces the text, so an argument that
// points into this text is still readable while it is formatted.
void CWString::FormatV(const WCHAR* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int count = PlatformFormatV(nullptr, 0, format, measure);
    va_end(measure);
    if (count < 1) {
        Empty();
        return;
    }
    CRixMem fresh(kGrowthStep);
    int64_t bytes = (static_cast<int64_t>(count) + 1) * kUnit;
    auto out = reinterpret_cast<WCHAR*>(fresh.PrepareLength(bytes));
    va_list write;
    va_copy(write, args);
    int written = PlatformFormatV(out, static_cast<size_t>(count) + 1, format, write);
    va_end(write);
    Empty();
    if (written < 1)
        return;
    fresh.SetLength((static_cast<int64_t>(written) + 1) * kUnit);
    m_Buffer.SwapStorage(fresh);
}

void CWString::AppendFormat(const WCHAR* format, ...) {
    CWString piece;
    va_list args;
    va_start(args, format);
    piece.FormatV(format, args);
    va_end(args);
    Append(piece.GetText());
}

void CWString::AssignUnits(const WCHAR* units, int64_t count) {
    if (units != nullptr && count > 0 && OwnsPointer(units)) {
        CWString copy;
        copy.AssignUnits(units, count);
        Empty();
        m_Buffer.SwapStorage(copy.m_Buffer);
        return;
    }
    Empty();
    if (count <= 0)
        return;
    CheckUnitCount(count);
    BYTE* data = m_Buffer.SetLength(count * kUnit);
    if (units != nullptr)
        std::memcpy(data, units, static_cast<size_t>(count * kUnit));
    else
        std::memset(data, 0, static_cast<size_t>(count * kUnit));
    static const WCHAR kZero = 0;
    m_Buffer.Append(&kZero, kUnit);
}

void CWString::AssignFixed(const WCHAR* units) {
    int64_t count = 0;
    if (units != nullptr)
        while (count < kFixedUnits && units[count] != 0)
            ++count;
    if (count == 0) {
        Empty();
        return;
    }
    AssignUnits(units, count);
}

void CWString::Empty() {
    m_pBorrowed = nullptr;
    m_Buffer.Free();
}

CWString CWString::Left(int64_t n) const {
    CWString result;
    int64_t length = GetLength();
    if (n > length)
        n = length;
    if (n > 0)
        result.AssignUnits(GetText(), n);
    return result;
}

CWString CWString::Right(int64_t n) const {
    CWString result;
    int64_t length = GetLength();
    if (n > length)
        n = length;
    if (n > 0)
        result.AssignUnits(GetText() + (length - n), n);
    return result;
}

CWString& CWString::TrimRight() {
    Materialize();
    int64_t length = GetLength();
    if (length == 0)
        return *this;
    auto units = reinterpret_cast<WCHAR*>(m_Buffer.GetDataPtr());
    int64_t keep = length;
    while (keep > 0 && IsBlank(units[keep - 1]))
        --keep;
    if (keep == length)
        return *this;
    if (keep == 0) {
        Empty();
        return *this;
    }
    units[keep] = 0;
    m_Buffer.SetLength((keep + 1) * kUnit);
    return *this;
}

CWString& CWString::Trim() {
    Materialize();
    int64_t length = GetLength();
    if (length == 0)
        return *this;
    auto units = reinterpret_cast<WCHAR*>(m_Buffer.GetDataPtr());
    int64_t lead = 0;
    while (lead < length && IsBlank(units[lead]))
        ++lead;
    if (lead == length) {
        Empty();
        return *this;
    }
    if (lead > 0) {
        std::memmove(units, units + lead, static_cast<size_t>((length - lead + 1) * kUnit));
        m_Buffer.SetLength((length - lead + 1) * kUnit);
    }
    return TrimRight();
}

CWString CWString::Concat(const CWString& a, const CWString& b) {
    // With one side empty the result is a whole copy of the other, its header words included.
    if (a.IsEmpty())
        return CWString(b);
    if (b.IsEmpty())
        return CWString(a);
    int64_t la = a.GetLength();
    int64_t lb = b.GetLength();
    CWString result;
    WCHAR* out = result.BeginWrite(la + lb);
    std::memcpy(out, a.GetText(), static_cast<size_t>(la * kUnit));
    std::memcpy(out + la, b.GetText(), static_cast<size_t>(lb * kUnit));
    result.EndWrite(la + lb);
    return result;
}

CWString CWString::Concat(const CWString& a, const WCHAR* s) {
    if (s == nullptr || s[0] == 0)
        return CWString(a);
    int64_t la = a.GetLength();
    int64_t ls = UnitCount(s);
    CWString result;
    WCHAR* out = result.BeginWrite(la + ls);
    std::memcpy(out, a.GetText(), static_cast<size_t>(la * kUnit));
    std::memcpy(out + la, s, static_cast<size_t>(ls * kUnit));
    result.EndWrite(la + ls);
    return result;
}

WCHAR* CWString::BeginWrite(int64_t maxUnits) {
    if (maxUnits < 0)
        maxUnits = 0;
    CheckUnitCount(maxUnits);
    Materialize();
    return reinterpret_cast<WCHAR*>(m_Buffer.PrepareLength((maxUnits + 1) * kUnit));
}

void CWString::EndWrite(int64_t units) {
    if (units <= 0) {
        Empty();
        return;
    }
    BYTE* data = m_Buffer.SetLength((units + 1) * kUnit);
    reinterpret_cast<WCHAR*>(data)[units] = 0;
}
