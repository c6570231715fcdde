// Fuzzes Utf8ToText with arbitrary bytes, counted and zero-terminated. Besides the sanitizers'
// checks it holds the decoder to its bounds: never more units than bytes, a terminator after
// the last unit, and the same text from both entry points up to the first zero byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/core/utf8.h"
#include "runtime/core/wstring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the input is a heap overflow.
    std::vector<char> bytes(data, data + size);
    CWString counted;
    Utf8ToText(bytes.data(), static_cast<int64_t>(size), counted);
    if (counted.GetLength() > static_cast<int64_t>(size))
        std::abort();
    if (counted.GetText()[counted.GetLength()] != 0)
        std::abort();

    bytes.push_back('\0');
    CWString terminated;
    Utf8ToText(bytes.data(), terminated);
    if (terminated.IsEqual(counted) != 1)
        std::abort();
    return 0;
}
