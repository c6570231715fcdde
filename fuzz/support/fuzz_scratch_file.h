// The scratch file of a fuzz target that reads files: one per target and process in the
// temporary folder (so parallel fuzzers never share one), removed when the process ends, and
// rewritten with each input's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

// The temporary folder, then prefix, then the process id. Made once per target: the first call
// fixes the path and registers its removal at exit.
inline const std::basic_string<WCHAR>& FuzzScratchPath(const WCHAR* prefix) {
    static const std::basic_string<WCHAR> path = [prefix] {
        WCHAR dir[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, dir);
        std::basic_string<WCHAR> made(dir, n);
        made += prefix;
        for (DWORD pid = GetCurrentProcessId(); pid != 0; pid /= 10)
            made += static_cast<WCHAR>(TEXT('0') + pid % 10);
        return made;
    }();
    static const bool cleanup = std::atexit([] { DeleteFileW(path.c_str()); }) == 0;
    (void)cleanup;
    return path;
}

// Writes the input's bytes as the whole scratch file; a failure ends the fuzzer, since every
// check after it would test a file that does not hold the input.
inline void WriteFuzzScratchFile(const std::basic_string<WCHAR>& path, const uint8_t* data,
                                 size_t size) {
    FILE* f = _wfopen(path.c_str(), TEXT("wb"));
    if (f == nullptr)
        std::abort();
    if (fwrite(data, 1, size, f) != size || fclose(f) != 0)
        std::abort();
}
