// CRixMem: growth-step arithmetic, range removal, copying and the hexadecimal dump.
#include "runtime/core/rix_mem.h"

#include "runtime/core/dump_header.h"

#include <cstdint>
#include <cstring>

#include "runtime/core/wstring.h"

CRixMem::CRixMem(const CRixMem& other) : CRixObject(other), m_nGrowthStep(other.m_nGrowthStep) {
    CopyBytesFrom(other);
}

CRixMem::~CRixMem() {
    Free();
}

bool CRixMem::RixEqualFields(const CRixMem& other) const {
    if (m_nLength != other.m_nLength)
        return false;
    return m_nLength == 0 ||
           std::memcmp(m_pData, other.m_pData, static_cast<size_t>(m_nLength)) == 0;
}

int64_t CRixMem::RoundedCapacity(int64_t n) const {
    int64_t step = Step();
    // A request this close to the top of the address range can never be met.
    if (n > INT64_MAX - step)
        RixOutOfMemory();
    return step + n - (n % step);
}

BYTE* CRixMem::SetLength(int64_t n) {
    if (n == m_nLength || n < 0)
        return m_pData;
    if (n == 0) {
        Free();
        return nullptr;
    }
    int64_t capacity = RoundedCapacity(n);
    if (m_pData == nullptr) {
        m_pData = static_cast<BYTE*>(AllocMem(capacity));
        m_nCapacity = capacity;
        m_nReserved = capacity;
    } else if (m_nCapacity < n || m_nCapacity - n > Step()) {
        // The block changes only when the new capacity outgrows it, or uses less than a
        // quarter of it; otherwise only the capacity that callers see moves.
        if (capacity > m_nReserved || capacity < m_nReserved / 4) {
            int64_t reserve = Reserve(capacity);
            m_pData = static_cast<BYTE*>(ReallocMem(m_pData, reserve));
            m_nReserved = reserve;
        }
        m_nCapacity = capacity;
    }
    m_nLength = n;
    return m_pData;
}

int64_t CRixMem::Reserve(int64_t capacity) const {
    if (capacity < m_nReserved || m_nReserved > INT64_MAX / 2)
        return capacity;
    return capacity > 2 * m_nReserved ? capacity : 2 * m_nReserved;
}

BYTE* CRixMem::PrepareLength(int64_t n) {
    if (m_pData != nullptr)
        return SetLength(n);
    if (n <= 0)
        return nullptr;
    int64_t capacity = RoundedCapacity(n);
    m_pData = static_cast<BYTE*>(AllocMem(capacity));
    m_nCapacity = capacity;
    m_nReserved = capacity;
    m_nLength = n;
    return m_pData;
}

void CRixMem::AppendSlow(const void* bytes, int64_t count) {
    if (count <= 0 || bytes == nullptr)
        return;
    int64_t old = m_nLength;
    if (count > INT64_MAX - old)
        RixOutOfMemory();
    auto source = static_cast<const BYTE*>(bytes);
    // Growing may move the storage, so bytes taken from this very buffer are copied first.
    if (m_pData != nullptr && source >= m_pData && source < m_pData + m_nCapacity) {
        void* copy = AllocMem(count);
        std::memcpy(copy, source, static_cast<size_t>(count));
        BYTE* data = PrepareLength(old + count);
        std::memcpy(data + old, copy, static_cast<size_t>(count));
        FreeMem(copy);
        return;
    }
    BYTE* data = PrepareLength(old + count);
    std::memcpy(data + old, source, static_cast<size_t>(count));
}

void CRixMem::AppendWideText(const WCHAR* text) {
    static const WCHAR kZero = 0;
    if (text == nullptr || text[0] == 0) {
        Append(&kZero, sizeof(WCHAR));
        return;
    }
    int64_t units = 0;
    while (text[units] != 0)
        ++units;
    Append(text, (units + 1) * static_cast<int64_t>(sizeof(WCHAR)));
}

void CRixMem::AppendWideUnits(const WCHAR* text) {
    if (text == nullptr)
        return;
    int64_t units = 0;
    while (text[units] != 0)
        ++units;
    Append(text, units * static_cast<int64_t>(sizeof(WCHAR)));
}

// A negative offset removes count bytes from the end. Otherwise the bytes after the range move
// down over it; a range that runs past the end is cut there. Removing everything gives the
// storage back.
void CRixMem::RemoveRange(int64_t offset, int64_t count) {
    if (count <= 0)
        return;
    if (offset < 0) {
        int64_t rest = m_nLength - count;
        if (rest > 0)
            SetLength(rest);
        else
            Free();
        return;
    }
    int64_t rest = m_nLength - offset;
    if (rest <= 0)
        return;
    int64_t removed;
    if (count < rest) {
        std::memmove(m_pData + offset, m_pData + offset + count, static_cast<size_t>(rest - count));
        removed = count;
    } else {
        removed = rest;
    }
    if (removed == m_nLength)
        Free();
    else
        SetLength(m_nLength - removed);
}

void CRixMem::CopyFrom(const CRixMem& other) {
    if (this == &other)
        return;
    RixCopyChain(other);
}

void CRixMem::CopyBytesFrom(const CRixMem& other) {
    if (this == &other)
        return;
    int64_t n = other.m_nLength;
    if ((n == 1 || n == 2 || n == 4 || n == 8) && n <= m_nCapacity) {
        std::memcpy(m_pData, other.m_pData, static_cast<size_t>(n));
        m_nLength = n;
        return;
    }
    BYTE* data = PrepareLength(n);
    if (n == 0 && data != nullptr) {
        // Reset left storage of length 0 behind; the copy of nothing is the empty state.
        Free();
        return;
    }
    if (n > 0)
        std::memcpy(data, other.m_pData, static_cast<size_t>(n));
}

void CRixMem::Free() {
    if (m_pData != nullptr)
        FreeMem(m_pData);
    m_pData = nullptr;
    m_nCapacity = 0;
    m_nReserved = 0;
    m_nLength = 0;
}

void CRixMem::SwapStorage(CRixMem& other) {
    BYTE* data = m_pData;
    int64_t capacity = m_nCapacity;
    int64_t reserved = m_nReserved;
    int64_t length = m_nLength;
    m_pData = other.m_pData;
    m_nCapacity = other.m_nCapacity;
    m_nReserved = other.m_nReserved;
    m_nLength = other.m_nLength;
    other.m_pData = data;
    other.m_nCapacity = capacity;
    other.m_nReserved = reserved;
    other.m_nLength = length;
}

namespace {
const WCHAR kHexDigits[] = TEXT("0123456789ABCDEF");
} // namespace

// A header line, then up to 16 bytes per line: the offset, the bytes in hexadecimal (short
// last lines padded so that the character column stays aligned) and the printable bytes.
void CRixMem::DumpToText(CWString& out, int64_t memberLimit) const {
    int64_t n = m_nLength;
    // A byte buffer shows up to 1,024 bytes when no limit is given.
    int64_t shown = DumpShownCount(n, memberLimit, 1024);
    AppendDumpHeader(out, TEXT("字节集"), TEXT("字节"), n, shown);
    for (int64_t offset = 0; offset < shown; offset += 16) {
        int64_t run = shown - offset < 16 ? shown - offset : 16;
        WCHAR line[80];
        int64_t at = 0;
        line[at++] = '\r';
        line[at++] = '\n';
        line[at++] = '[';
        for (int shift = 28; shift >= 0; shift -= 4)
            line[at++] = kHexDigits[(static_cast<uint64_t>(offset) >> shift) & 0xF];
        line[at++] = ']';
        line[at++] = ':';
        for (int64_t i = 0; i < run; ++i) {
            BYTE b = m_pData[offset + i];
            line[at++] = ' ';
            line[at++] = kHexDigits[b >> 4];
            line[at++] = kHexDigits[b & 0xF];
        }
        for (int64_t i = run; i < 16; ++i) {
            line[at++] = ' ';
            line[at++] = ' ';
            line[at++] = ' ';
        }
        line[at++] = ' ';
        line[at++] = '|';
        line[at++] = ' ';
        for (int64_t i = 0; i < run; ++i) {
            BYTE b = m_pData[offset + i];
            line[at++] = b >= 32 && b <= 126 ? static_cast<WCHAR>(b) : static_cast<WCHAR>('.');
        }
        out.AppendUnits(line, at);
    }
}
