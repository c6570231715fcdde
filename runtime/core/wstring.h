// CWString, the text type of the runtime: UTF-16 code units with a zero terminator.
//
// A text is in one of three states. Borrowing: it points at a constant text it does not own
// (a literal, which outlives every text that borrows it). Owning: its units and a terminator
// sit in an embedded CRixMem with growth step 254. Empty: neither. Every changing operation
// first moves a borrowing text to owning; copying carries the borrowing state over. Lengths
// are counted in code units; surrogate pairs get no special treatment.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/rix_object.h"

class CWString : public CRixObject {
    RIX_OBJECT(CWString, CRixObject, "CWString")
public:
    static constexpr int64_t kGrowthStep = 254;
    // The most units AssignFixed takes: the size of a path array.
    static constexpr int64_t kFixedUnits = 260;

    CWString() = default;
    CWString(const CWString& other);
    // A copy of a zero-terminated wide text (null is the empty text).
    explicit CWString(const WCHAR* text) { Append(text); }
    // A zero-terminated UTF-8 text, decoded with Utf8ToText.
    explicit CWString(const char* utf8);
    // The decimal text of the number.
    explicit CWString(int32_t value);
    CWString& operator=(const CWString& other);
    ~CWString() override = default;

    // Attributes
    //
    // The text; never null.
    const WCHAR* GetText() const {
        if (m_pBorrowed != nullptr)
            return m_pBorrowed;
        if (m_Buffer.GetLength() == 0)
            return kEmptyText;
        return reinterpret_cast<const WCHAR*>(m_Buffer.GetDataPtr());
    }
    // Characters (code units) before the terminator.
    int64_t GetLength() const;
    // Borrowed text starting with the terminator, or a buffer too short to hold a unit.
    bool IsEmpty() const {
        if (m_pBorrowed != nullptr)
            return m_pBorrowed[0] == 0;
        return m_Buffer.GetLength() < 3;
    }
    bool IsBorrowing() const { return m_pBorrowed != nullptr; }
    const CRixMem& GetBuffer() const { return m_Buffer; }
    // True when p points into this text's own storage, which any change may move or free.
    bool OwnsPointer(const void* p) const {
        auto at = static_cast<const BYTE*>(p);
        const BYTE* data = m_Buffer.GetDataPtr();
        return data != nullptr && at >= data && at < data + m_Buffer.GetCapacity();
    }

    // Operations
    //
    // Copies a borrowed text with its terminator into the buffer and stops borrowing.
    CRixMem& Materialize();
    // Appends a zero-terminated text; null or empty changes nothing (a borrowed text stays
    // borrowed). The text may be this one's own.
    void Append(const WCHAR* text) {
        if (text != nullptr && m_pBorrowed == nullptr && AppendShortInPlace(text))
            return;
        AppendGeneral(text);
    }
    void Append(const CWString& text) { Append(text.GetText()); }
    // Appends count units taken as they are (zeros included).
    void AppendUnits(const WCHAR* units, int64_t count);
    // Appends one unit; zero changes nothing. Inline: producers call it once per unit.
    void AppendChar(WCHAR unit) {
        if (unit == 0)
            return;
        if (m_pBorrowed != nullptr)
            Materialize();
        DropTerminator();
        const WCHAR pair[2] = {unit, 0};
        m_Buffer.Append(pair, sizeof pair);
    }
    // Replaces the text by printf-style formatting with the platform's wide conversions; an
    // empty result or a format error leaves the empty text. Arguments may point into this text.
    void Format(const WCHAR* format, ...);
    void FormatV(const WCHAR* format, va_list args);
    // Formats into a temporary text and appends it.
    void AppendFormat(const WCHAR* format, ...);
    // Replaces the text by count units (zeros when units is null); 0 or less empties it.
    void AssignUnits(const WCHAR* units, int64_t count);
    // Replaces the text by the units before the first zero, at most kFixedUnits of them.
    void AssignFixed(const WCHAR* units);
    // Gives the storage back: the empty state.
    void Empty();

    // New texts: the first or last min(n, length) characters.
    CWString Left(int64_t n) const;
    CWString Right(int64_t n) const;
    // Remove units of value 32 or less at the end, or at both ends.
    CWString& TrimRight();
    CWString& Trim();

    static CWString Concat(const CWString& a, const CWString& b);
    static CWString Concat(const CWString& a, const WCHAR* s);

    // Direct writing, for code that produces units itself: BeginWrite makes room for up to
    // maxUnits units and a terminator and returns where to write; EndWrite sets the count
    // actually written (at most maxUnits) and terminates. Contents before BeginWrite survive
    // in the room only when the text was owning.
    WCHAR* BeginWrite(int64_t maxUnits);
    void EndWrite(int64_t units);

protected:
    bool RixEqualFields(const CWString& other) const;
    void RixCopyFields(const CWString& other);
    void RixResetFields() { Empty(); }

    // The borrowed constant text; when not null it is the text and the buffer is unused.
    const WCHAR* m_pBorrowed = nullptr;

private:
    static const WCHAR kEmptyText[1];

    // Texts are mostly built from short pieces. A piece of 1, 2 or 4 units whose units and
    // terminator fit into the spare capacity is stored here, inline, in one step, with the
    // same result as the general path (whose two appends would both take the buffer's direct
    // path and leave the capacity alone), but without its chain of calls; that chain, not the
    // copying, was most of the cost of appending one character. False, with nothing done, for
    // any other piece.
    bool AppendShortInPlace(const WCHAR* text) {
        constexpr int64_t kUnit = static_cast<int64_t>(sizeof(WCHAR));
        int64_t units;
        if (text[0] == 0)
            return false;
        if (text[1] == 0)
            units = 1;
        else if (text[2] == 0)
            units = 2;
        else if (text[3] != 0 && text[4] == 0)
            units = 4;
        else
            return false;
        BYTE* data = m_Buffer.GetDataPtr();
        int64_t end = m_Buffer.GetLength();
        if (end >= kUnit) {
            WCHAR last;
            std::memcpy(&last, data + end - kUnit, kUnit);
            if (last == 0)
                end -= kUnit;
        }
        int64_t bytes = units * kUnit;
        if (end + bytes + kUnit > m_Buffer.GetCapacity() || OwnsPointer(text))
            return false;
        // Fixed sizes, so that each copy is one move.
        if (units == 1)
            std::memcpy(data + end, text, kUnit);
        else if (units == 2)
            std::memcpy(data + end, text, 2 * kUnit);
        else
            std::memcpy(data + end, text, 4 * kUnit);
        // The terminator is a store of its own: the next append reads it back, and a read from
        // the middle of a wider store would stall store forwarding.
        const WCHAR zero = 0;
        std::memcpy(data + end + bytes, &zero, kUnit);
        m_Buffer.SetLengthWithinCapacity(end + bytes + kUnit);
        return true;
    }
    void AppendGeneral(const WCHAR* text);
    // Drops a trailing zero unit before an append.
    void DropTerminator() {
        int64_t length = m_Buffer.GetLength();
        if (length < static_cast<int64_t>(sizeof(WCHAR)))
            return;
        WCHAR last;
        std::memcpy(&last, m_Buffer.GetDataPtr() + length - sizeof(WCHAR), sizeof last);
        if (last == 0)
            m_Buffer.CutTail(sizeof(WCHAR));
    }

    CRixMem m_Buffer{kGrowthStep};
};
