// StepList's operations, each under the list's lock.
#include "app/steps/step_list.h"

#include "runtime/shell/split_text.h"

int64_t CStepList::GetCount() const {
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Codes.GetCount();
}

CWString CStepList::GetAt(int64_t index) const {
    CWString code;
    FetchStep(index, code);
    return code;
}

bool CStepList::FetchStep(int64_t index, CWString& code) const {
    std::lock_guard<std::mutex> guard(m_Lock);
    if (index < 0 || index >= m_Codes.GetCount()) {
        code.Empty();
        return false;
    }
    // Copied under the lock: the element's block is freed by a delete on the other thread.
    code = CWString(m_Codes.GetTextAt(index));
    return true;
}

void CStepList::Append(const WCHAR* code) {
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Codes.Append(code);
}

bool CStepList::Swap(int64_t a, int64_t b) {
    std::lock_guard<std::mutex> guard(m_Lock);
    int64_t count = m_Codes.GetCount();
    if (a < 0 || b < 0 || a >= count || b >= count)
        return false;
    if (a == b)
        return true;
    // The array has no element exchange; rebuild it in the new order.
    rg_lch_jb::rg_wbshzl reordered;
    for (int64_t i = 0; i < count; ++i)
        reordered.Append(m_Codes.GetAt(i == a ? b : i == b ? a : i));
    m_Codes.Clear();
    for (int64_t i = 0; i < count; ++i)
        m_Codes.Append(reordered.GetAt(i));
    return true;
}

bool CStepList::RemoveAt(int64_t index) {
    std::lock_guard<std::mutex> guard(m_Lock);
    if (index < 0 || index >= m_Codes.GetCount())
        return false;
    m_Codes.RemoveRange(index, 1);
    return true;
}

void CStepList::Clear() {
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Codes.Clear();
}

int64_t CStepList::LoadFromText(const WCHAR* text) {
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Codes.Clear();
    return SplitText(text, m_Codes, TEXT(" "), true, true);
}
