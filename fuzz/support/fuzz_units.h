// Turns a fuzzer's bytes into a zero-terminated UTF-16 text: each pair of bytes is one unit,
// little-endian, zero units dropped so the whole input stays inside the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

inline std::vector<WCHAR> FuzzUnits(const uint8_t* data, size_t size) {
    std::vector<WCHAR> units;
    units.reserve(size / 2 + 1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const WCHAR u = static_cast<WCHAR>(data[i] | (data[i + 1] << 8));
        if (u != 0)
            units.push_back(u);
    }
    units.push_back(0);
    return units;
}
