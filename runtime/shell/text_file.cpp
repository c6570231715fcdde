// Reading whole files and writing text files through the C run-time's wide file functions.
#include "runtime/shell/text_file.h"

#include <cstdint>
#include <cstdio>

#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"

namespace {

// Beside the target, so that the final move stays on one volume and is a rename.
const WCHAR kTemporarySuffix[] = TEXT(".keyseq-partial");

WCHAR UnitAt(const BYTE* bytes, int64_t index) {
    return static_cast<WCHAR>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

} // namespace

int64_t ReadFileBytes(const WCHAR* path, int64_t count, CRixMem& buffer) {
    if (path == nullptr || path[0] == 0)
        return -1;
    FILE* file = _wfopen(path, TEXT("rb"));
    if (file == nullptr) {
        buffer.Free();
        return -1;
    }
    if (count == -1) {
        // The size must fit a 32-bit signed position; a larger file reads as empty rather
        // than as a wrapped, wrong size.
        long end = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
        count = (end < 0 || end > INT32_MAX) ? 0 : static_cast<int64_t>(end);
        fseek(file, 0, SEEK_SET);
    }
    if (count <= 0) {
        fclose(file);
        buffer.Free();
        return 0;
    }
    BYTE* data = buffer.PrepareLength(count);
    size_t read = fread(data, 1, static_cast<size_t>(count), file);
    if (ferror(file)) {
        fclose(file);
        buffer.Free();
        return -1;
    }
    buffer.SetLength(static_cast<int64_t>(read));
    fclose(file);
    if (read == 0)
        buffer.Free();
    return static_cast<int64_t>(read);
}

CWString& ReadTextFile(const WCHAR* path, CWString& text) {
    text.Empty();
    CRixMem bytes;
    int64_t n = ReadFileBytes(path, -1, bytes);
    if (n <= 0)
        return text;
    // Four zero bytes: at least one whole zero unit after the data, odd length or not.
    const BYTE zeros[4] = {0, 0, 0, 0};
    bytes.Append(zeros, 4);
    const BYTE* data = bytes.GetDataPtr();
    int64_t units = bytes.GetLength() / 2;
    int64_t first = UnitAt(data, 0) == 0xFEFF ? 1 : 0;
    int64_t end = first;
    while (end < units && UnitAt(data, end) != 0)
        ++end;
    if (end == first)
        return text;
    WCHAR* out = text.BeginWrite(end - first);
    for (int64_t i = first; i < end; ++i)
        out[i - first] = UnitAt(data, i);
    text.EndWrite(end - first);
    return text;
}

int WriteTextFile(const CWString& text, const WCHAR* path) {
    CRixMem bytes;
    const BYTE mark[2] = {0xFF, 0xFE};
    bytes.Append(mark, 2);
    const WCHAR* units = text.GetText();
    int64_t length = text.GetLength();
    for (int64_t i = 0; i < length; ++i) {
        const BYTE unit[2] = {static_cast<BYTE>(units[i] & 0xFF),
                              static_cast<BYTE>((units[i] >> 8) & 0xFF)};
        bytes.Append(unit, 2);
    }
    if (path == nullptr || path[0] == 0)
        return 0;

    CWString temporary(path);
    temporary.Append(kTemporarySuffix);
    FILE* file = _wfopen(temporary.GetText(), TEXT("wb"));
    if (file == nullptr)
        return 0;
    size_t size = static_cast<size_t>(bytes.GetLength());
    bool complete = fwrite(bytes.GetDataPtr(), 1, size, file) == size;
    complete = complete && fflush(file) == 0 && _commit(_fileno(file)) == 0;
    complete = (fclose(file) == 0) && complete;
    if (!complete || !MoveFileExW(temporary.GetText(), path,
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.GetText());
        return 0;
    }
    return 1;
}
