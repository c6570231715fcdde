// StepList: the step codes of the current scheme, the one list that the main window edits,
// the scheme files store and the replay worker reads, and the one place where a scheme's text
// is cut into codes (LoadFromText).
//
// Threads: the user-interface thread adds, moves, deletes, loads and saves; the replay worker
// reads. Every access goes through m_Lock, and each operation here takes it for exactly its
// own duration, so the worker never holds it while injecting input or waiting.
//
// Storage: a scheme may hold millions of steps, so the codes are not one heap block each.
// Their units lie end to end, each code with a terminator, in one buffer, and a second buffer
// holds where each step's code starts, in step order. A move exchanges two starts; a delete
// drops one and leaves its units behind until the dead units outweigh the living, when the
// buffer is written anew in step order.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>

#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"

class CStepList {
public:
    // What WithCodes shows of the list: valid only inside its call.
    class Codes {
    public:
        int64_t GetCount() const { return m_List.CountLocked(); }
        // The code of step index (below the count) as a zero-terminated text, never null.
        const WCHAR* GetTextAt(int64_t index) const { return m_List.CodeLocked(index); }

    private:
        friend class CStepList;
        explicit Codes(const CStepList& list) : m_List(list) {}
        const CStepList& m_List;
    };

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
    // Replaces the codes by those of a scheme's text: the pieces between separators (space,
    // tab, CR and LF; a zero unit, which a file's text reads as a space, counts as one too),
    // each trimmed of units up to U+0020, empty pieces dropped. A file written by hand with
    // one code per line thus reads as one step per line; the program itself writes single
    // spaces only. Answers the new count.
    int64_t LoadFromText(const WCHAR* text);

    // Runs f on the codes (a const Codes&) under the lock, for reads that need many of them
    // at once (saving, rebuilding the list box). f must not call back into this list.
    template <typename F> auto WithCodes(F&& f) const {
        std::lock_guard<std::mutex> guard(m_Lock);
        return std::forward<F>(f)(static_cast<const Codes&>(Codes(*this)));
    }

private:
    // The unlocked reads behind Codes; the caller holds m_Lock.
    int64_t CountLocked() const { return m_Starts.GetLength() / kStartSize; }
    const WCHAR* CodeLocked(int64_t index) const;
    int64_t StartAt(int64_t index) const;
    void AppendLocked(const WCHAR* units, int64_t count);
    // Writes the units anew in step order, without the dead ones.
    void CompactLocked();

    static constexpr int64_t kStartSize = static_cast<int64_t>(sizeof(int64_t));

    mutable std::mutex m_Lock;
    // Guarded by m_Lock: the codes' units with their terminators, where each step's code
    // starts (in units, one int64_t per step), and how many units belong to no step.
    CRixMem m_Units;
    CRixMem m_Starts;
    int64_t m_nDeadUnits = 0;
};

// The application's one step list, created empty at program start.
extern CStepList StepList;
