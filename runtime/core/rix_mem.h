// CRixMem, the growable byte buffer under every text, array and list of the runtime.
//
// Capacity moves in whole growth steps, so a run of small appends reallocates once per step
// and a shrinking buffer gives storage back only when more than one step would be spare.
// Storage comes from the object's own memory operations (AllocMem, ReallocMem, FreeMem).
//
// The capacity is what callers see and what the step rule gives. Underneath it the buffer
// reserves its block geometrically: a capacity that outgrows the block doubles it, so a buffer
// built by appends is copied O(log n) times, not once per step. That matters for large
// buffers on heaps whose reallocation moves the block (each move copies everything), and for
// text built one character at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "runtime/core/rix_object.h"

class CRixMem : public CRixObject {
    RIX_OBJECT(CRixMem, CRixObject, "CRixMem")
public:
    static constexpr int64_t kDefaultGrowthStep = 64;

    CRixMem() = default;
    explicit CRixMem(int64_t growthStep) : m_nGrowthStep(growthStep) {}
    // Copies the bytes into storage of its own; the growth step comes along.
    CRixMem(const CRixMem& other);
    CRixMem& operator=(const CRixMem& other) {
        CopyFrom(other);
        return *this;
    }
    ~CRixMem() override;

    void DumpToText(CWString& out, int64_t memberLimit) const override;

    // Attributes
    BYTE* GetDataPtr() const { return m_pData; }
    int64_t GetLength() const { return m_nLength; }
    int64_t GetCapacity() const { return m_nCapacity; }
    int64_t GetGrowthStep() const { return m_nGrowthStep; }
    void SetGrowthStep(int64_t step) { m_nGrowthStep = step; }

    // Operations
    //
    // Sets the length to n bytes and returns the data. Bytes up to the old length survive,
    // new bytes are undefined. 0 gives the storage back; a negative n changes nothing.
    BYTE* SetLength(int64_t n);
    // SetLength for a buffer that may have no storage yet.
    BYTE* PrepareLength(int64_t n);
    // Appends count bytes. Appends of 1, 2, 4 or 8 bytes that fit into the spare capacity are
    // stored directly. `bytes` may point into this buffer; null appends nothing, whatever the
    // count.
    void Append(const void* bytes, int64_t count) {
        if (count <= m_nCapacity - m_nLength && bytes != nullptr) {
            BYTE* at = m_pData + m_nLength;
            switch (count) {
            case 1:
                *at = *static_cast<const BYTE*>(bytes);
                break;
            case 2:
                std::memcpy(at, bytes, 2);
                break;
            case 4:
                std::memcpy(at, bytes, 4);
                break;
            case 8:
                std::memcpy(at, bytes, 8);
                break;
            default:
                AppendSlow(bytes, count);
                return;
            }
            m_nLength += count;
            return;
        }
        AppendSlow(bytes, count);
    }
    // Appends the units of a zero-terminated wide text and a zero unit; null or empty appends
    // only the zero unit.
    void AppendWideText(const WCHAR* text);
    // Appends the units without the zero unit; null or empty appends nothing.
    void AppendWideUnits(const WCHAR* text);
    // Removes count bytes at offset (see the .cpp for the negative offset). The caller keeps
    // the offset within the buffer; one past the end removes nothing.
    void RemoveRange(int64_t offset, int64_t count);
    // Copies the other's flags word, second word and bytes; keeps its own growth step.
    void CopyFrom(const CRixMem& other);
    // Copies only the bytes.
    void CopyBytesFrom(const CRixMem& other);
    // Lowers the length by up to `bytes` without touching the storage.
    void CutTail(int64_t bytes) { m_nLength = bytes >= m_nLength ? 0 : m_nLength - bytes; }
    // Sets the length without the size logic, as the direct appends do, for a caller that has
    // written the bytes itself. The caller keeps n between 0 and the capacity.
    void SetLengthWithinCapacity(int64_t n) { m_nLength = n; }
    // Gives the storage back: the empty state.
    void Free();
    // Exchanges storage, capacity and length with another buffer; the steps stay.
    void SwapStorage(CRixMem& other);

protected:
    bool RixEqualFields(const CRixMem& other) const;
    void RixCopyFields(const CRixMem& other) { CopyBytesFrom(other); }
    // Length 0, storage kept.
    void RixResetFields() { m_nLength = 0; }

private:
    int64_t Step() const { return m_nGrowthStep > 0 ? m_nGrowthStep : kDefaultGrowthStep; }
    // n rounded up to a multiple of the step, plus a whole step when it already is one.
    int64_t RoundedCapacity(int64_t n) const;
    void AppendSlow(const void* bytes, int64_t count);

    // The block's size: at least the capacity (see the file comment); 0 without storage.
    int64_t Reserve(int64_t capacity) const;

    BYTE* m_pData = nullptr;
    int64_t m_nCapacity = 0;
    int64_t m_nReserved = 0;
    int64_t m_nLength = 0;
    int64_t m_nGrowthStep = kDefaultGrowthStep;
};
