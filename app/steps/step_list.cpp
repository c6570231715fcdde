// StepList's operations, each under the list's lock, its storage of codes end to end, and the
// cutting of a scheme's text into codes.
#include "app/steps/step_list.h"

#include <cstring>

namespace {

constexpr int64_t kUnit = static_cast<int64_t>(sizeof(WCHAR));
// Dead units below this are never worth a rewrite.
constexpr int64_t kCompactFloor = 4096;

bool IsSeparator(WCHAR unit) {
    return unit == TEXT(' ') || unit == TEXT('\t') || unit == TEXT('\r') || unit == TEXT('\n');
}

bool IsBlank(WCHAR unit) {
    return unit <= 0x20;
}

// The one cutting of a scheme's text into codes: calls code(first, count) for each piece
// between separators, trimmed of blanks, that is not empty.
template <typename Code> void CutCodes(const WCHAR* text, Code&& code) {
    if (text == nullptr)
        return;
    const WCHAR* p = text;
    while (*p != 0) {
        while (*p != 0 && IsSeparator(*p))
            ++p;
        const WCHAR* begin = p;
        while (*p != 0 && !IsSeparator(*p))
            ++p;
        const WCHAR* end = p;
        while (begin < end && IsBlank(*begin))
            ++begin;
        while (end > begin && IsBlank(end[-1]))
            --end;
        if (end > begin)
            code(begin, end - begin);
    }
}

} // namespace

int64_t CStepList::StartAt(int64_t index) const {
    int64_t start;
    std::memcpy(&start, m_Starts.GetDataPtr() + index * kStartSize, sizeof start);
    return start;
}

const WCHAR* CStepList::CodeLocked(int64_t index) const {
    return reinterpret_cast<const WCHAR*>(m_Units.GetDataPtr()) + StartAt(index);
}

void CStepList::AppendLocked(const WCHAR* units, int64_t count) {
    int64_t start = m_Units.GetLength() / kUnit;
    static const WCHAR kZero = 0;
    if (count > 0)
        m_Units.Append(units, count * kUnit);
    m_Units.Append(&kZero, kUnit);
    m_Starts.Append(&start, kStartSize);
}

void CStepList::CompactLocked() {
    int64_t count = CountLocked();
    auto* starts = reinterpret_cast<int64_t*>(m_Starts.GetDataPtr());
    CRixMem kept;
    auto* out =
        reinterpret_cast<WCHAR*>(kept.PrepareLength(m_Units.GetLength() - m_nDeadUnits * kUnit));
    int64_t at = 0;
    for (int64_t i = 0; i < count; ++i) {
        const WCHAR* code = CodeLocked(i);
        starts[i] = at;
        do
            out[at++] = *code;
        while (*code++ != 0);
    }
    m_Units.SwapStorage(kept);
    m_nDeadUnits = 0;
}

int64_t CStepList::GetCount() const {
    std::lock_guard<std::mutex> guard(m_Lock);
    return CountLocked();
}

CWString CStepList::GetAt(int64_t index) const {
    CWString code;
    FetchStep(index, code);
    return code;
}

bool CStepList::FetchStep(int64_t index, CWString& code) const {
    std::lock_guard<std::mutex> guard(m_Lock);
    if (index < 0 || index >= CountLocked()) {
        code.Empty();
        return false;
    }
    // Copied under the lock: a delete or a load on the other thread rewrites the storage.
    code = CWString(CodeLocked(index));
    return true;
}

void CStepList::Append(const WCHAR* code) {
    int64_t length = 0;
    if (code != nullptr)
        while (code[length] != 0)
            ++length;
    std::lock_guard<std::mutex> guard(m_Lock);
    AppendLocked(code, length);
}

bool CStepList::Swap(int64_t a, int64_t b) {
    std::lock_guard<std::mutex> guard(m_Lock);
    int64_t count = CountLocked();
    if (a < 0 || b < 0 || a >= count || b >= count)
        return false;
    auto* starts = reinterpret_cast<int64_t*>(m_Starts.GetDataPtr());
    std::swap(starts[a], starts[b]);
    return true;
}

bool CStepList::RemoveAt(int64_t index) {
    std::lock_guard<std::mutex> guard(m_Lock);
    int64_t count = CountLocked();
    if (index < 0 || index >= count)
        return false;
    const WCHAR* code = CodeLocked(index);
    int64_t length = 0;
    while (code[length] != 0)
        ++length;
    m_nDeadUnits += length + 1;
    m_Starts.RemoveRange(index * kStartSize, kStartSize);
    if (count == 1) {
        m_Units.Free();
        m_Starts.Free();
        m_nDeadUnits = 0;
    } else if (m_nDeadUnits > kCompactFloor && 2 * m_nDeadUnits > m_Units.GetLength() / kUnit) {
        CompactLocked();
    }
    return true;
}

void CStepList::Clear() {
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Units.Free();
    m_Starts.Free();
    m_nDeadUnits = 0;
}

int64_t CStepList::LoadFromText(const WCHAR* text) {
    // Measured first, so that each buffer is taken once at its size and written in place: a
    // scheme of a million steps grows no buffer by doubling, which would hold the old and the
    // new block at once.
    int64_t codes = 0;
    int64_t units = 0;
    CutCodes(text, [&](const WCHAR*, int64_t count) {
        ++codes;
        units += count + 1;
    });
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Units.Free();
    m_Starts.Free();
    m_nDeadUnits = 0;
    if (codes == 0)
        return 0;
    auto* out = reinterpret_cast<WCHAR*>(m_Units.PrepareLength(units * kUnit));
    auto* starts = reinterpret_cast<int64_t*>(m_Starts.PrepareLength(codes * kStartSize));
    int64_t at = 0;
    CutCodes(text, [&](const WCHAR* first, int64_t count) {
        *starts++ = at;
        std::memcpy(out + at, first, static_cast<size_t>(count * kUnit));
        out[at + count] = 0;
        at += count + 1;
    });
    return codes;
}
