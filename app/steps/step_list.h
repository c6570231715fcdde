// StepList: the step codes of the current scheme, the one list that the main window edits,
// the scheme files store and the replay worker reads.
//
// Threads: the user-interface thread adds, moves, deletes, loads and saves; the replay worker
// reads. Every access goes through m_Lock, and each operation here takes it for exactly its
// own duration, so the worker never holds it while injecting input or waiting.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>

#include "runtime/core/rg_wbshzl.h"
#include "runtime/core/wstring.h"

class CStepList {
public:
    CStepList() = default;
    CStepList(const CStepList&) = delete;
    CStepList& operator=(const CStepList&) = delete;

    // Attributes
    int64_t GetCount() const;
    // A copy of code index; the empty text when there is no such step.
    CWString GetAt(int64_t index) const;
    // For the replay worker: reads the count and copies code index in one locked step, so a
    // step deleted meanwhile cannot be read past the end. False when index is not below the
    // count at this moment.
    bool FetchStep(int64_t index, CWString& code) const;

    // Operations
    void Append(const WCHAR* code);
    // Exchanges two codes; false (and no change) when either index is out of range.
    bool Swap(int64_t a, int64_t b);
    // Removes and frees one code; false when index is out of range.
    bool RemoveAt(int64_t index);
    void Clear();
    // Replaces the codes by the pieces of text between blanks (empty pieces dropped), as a
    // scheme file holds them; answers the new count.
    int64_t LoadFromText(const WCHAR* text);

    // Runs f on the codes under the lock, for reads that need the whole list at once (saving,
    // rebuilding the list box). f must not call back into this list.
    template <typename F> auto WithCodes(F&& f) const {
        std::lock_guard<std::mutex> guard(m_Lock);
        return std::forward<F>(f)(static_cast<const rg_lch_jb::rg_wbshzl&>(m_Codes));
    }

private:
    mutable std::mutex m_Lock;
    rg_lch_jb::rg_wbshzl m_Codes; // guarded by m_Lock
};

// The application's one step list, created empty at program start.
extern CStepList StepList;
