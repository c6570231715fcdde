// CMStringArray, an ordered array of owned, zero-terminated wide texts.
//
// The slots are 64-bit element pointers in a CRixMem with growth step 256, so the array grows
// by 32 elements at a time. Each element is null (the empty text) or a block from AllocMem
// holding a copy of the units and a terminator, owned by the array.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/class_info.h"
#include "runtime/core/rix_common_base.h"
#include "runtime/core/rix_mem.h"

class CWString;

class CMStringArray final : public CRixCommonBaseWithMemManager {
public:
    static constexpr int64_t kSlotGrowthStep = 256;
    // Elements a dump writes when no limit is given.
    static constexpr int64_t kDefaultDumpLimit = 64;

    CMStringArray() = default;
    // Copies every element into blocks of its own.
    CMStringArray(const CMStringArray& other);
    CMStringArray& operator=(const CMStringArray& other);
    ~CMStringArray() { Clear(); }

    static const ClassNameInfo* ClassRecord();
    virtual const ClassNameInfo* GetClassInfo() const { return ClassRecord(); }
    // Same class by hash, length and name bytes.
    virtual int IsClass(const ClassNameInfo* info) const {
        return SameClassName(info, GetClassInfo()) ? 1 : 0;
    }

    // Attributes
    int64_t GetCount() const { return m_Slots.GetLength() / kSlotSize; }
    // The element at index, or null for an empty one. The caller keeps index below the count.
    const WCHAR* GetAt(int64_t index) const { return Slots()[index]; }
    const WCHAR* operator[](int64_t index) const { return GetAt(index); }
    // The element at index as a text, never null.
    const WCHAR* GetTextAt(int64_t index) const;
    const CRixMem& GetSlots() const { return m_Slots; }

    // Operations
    //
    // Stores a copy of the text as the new last element and returns its index; null or empty
    // stores null.
    int64_t Append(const WCHAR* text);
    // Stores a copy of count units (none of them zero) and a terminator as the new last
    // element, for pieces cut from a longer text; a count of 0 or less stores null.
    int64_t AppendUnits(const WCHAR* units, int64_t count);
    // Frees the elements first … first + count − 1 and closes the gap. The caller keeps the
    // range within the array.
    void RemoveRange(int64_t first, int64_t count);
    // Frees every element and the slot storage.
    void Clear();
    // Replaces the elements by copies of the other's.
    void CopyFrom(const CMStringArray& other);

    // Appends the readable description: a header with the count, then one numbered, quoted
    // element per line. memberLimit 0 writes at most 64 elements, a negative one all.
    void DumpToText(CWString& out, int64_t memberLimit) const;

private:
    static constexpr int64_t kSlotSize = 8;
    WCHAR** Slots() const { return reinterpret_cast<WCHAR**>(m_Slots.GetDataPtr()); }

    CRixMem m_Slots{kSlotGrowthStep};
};
