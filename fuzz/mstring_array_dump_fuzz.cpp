// Fuzzes the dumps of a text array and a byte buffer. The first two bytes give the member
// limit; the rest are UTF-16 units, and a zero unit ends one element (so empty elements and
// every control unit occur). Escaping keeps line breaks out of the elements, so the dump must
// have exactly one line per shown element; the byte dump one line per 16 shown bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/core/mstring_array.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"

namespace {
int64_t CountLines(const CWString& text, bool byteLines) {
    int64_t lines = 0;
    const WCHAR* p = text.GetText();
    for (int64_t i = 0; i + 1 < text.GetLength(); ++i)
        if (p[i] == '\r' && p[i + 1] == '\n' && (!byteLines || p[i + 2] == '['))
            ++lines;
    return lines;
}

int64_t Shown(int64_t count, int64_t limit, int64_t byDefault) {
    if (limit < 0)
        return count;
    int64_t cap = limit == 0 ? byDefault : limit;
    return count > cap ? cap : count;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    int16_t limit16;
    std::memcpy(&limit16, data, 2);
    int64_t limit = limit16;
    data += 2;
    size -= 2;

    std::vector<WCHAR> units(size / 2 + 1, 0);
    std::memcpy(units.data(), data, size / 2 * 2);
    CMStringArray array;
    for (size_t start = 0; start < size / 2;) {
        array.Append(&units[start]);
        while (units[start] != 0)
            ++start;
        ++start;
    }
    CWString out;
    array.DumpToText(out, limit);
    if (CountLines(out, false) != Shown(array.GetCount(), limit, 64))
        std::abort();

    CRixMem mem;
    mem.Append(data, static_cast<int64_t>(size));
    CWString bytes;
    mem.DumpToText(bytes, limit);
    if (CountLines(bytes, true) != (Shown(static_cast<int64_t>(size), limit, 1024) + 15) / 16)
        std::abort();
    return 0;
}
