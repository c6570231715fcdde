// Reading whole files and writing text files through the C run-time's wide file functions.
#include "runtime/shell/text_file.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"

namespace {

using Units = std::basic_string<WCHAR>;

// Names tried for the temporary file before giving up.
constexpr int kTemporaryAttempts = 64;

WCHAR FoldCase(WCHAR c) {
    return (c >= 'a' && c <= 'z') ? static_cast<WCHAR>(c - 'a' + 'A') : c;
}

bool SameName(const Units& a, const Units& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

// The temporary file lives beside the target, so that the final move stays on one volume and
// is a rename. Its name is the target's with the tail replaced by "~", "~1", "~2", ...: the
// temporary path is then no longer than the target's, and a target that fits the 260-unit
// path limit cannot fail because of it (a suffix would push names near the limit over it).
// Names of existing files or folders, and the target's own, are passed over, so nothing of
// the user's is overwritten. False when every attempt is taken or the path names no file.
bool TemporaryPath(const WCHAR* target, Units& out) {
    Units path(target);
    size_t slash = path.find_last_of(TEXT("\\/"));
    size_t nameAt = slash == Units::npos ? 0 : slash + 1;
    if (slash == Units::npos && path.size() >= 2 && path[1] == ':')
        nameAt = 2; // "C:name"
    const Units folder = path.substr(0, nameAt);
    const Units name = path.substr(nameAt);
    if (name.empty())
        return false;
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        Units tail(1, TEXT('~'));
        for (int n = attempt; n > 0; n /= 36)
            tail.insert(tail.begin() + 1, static_cast<WCHAR>(kDigits[n % 36]));
        size_t keep = name.size() > tail.size() ? name.size() - tail.size() : 0;
        // Never cut a surrogate pair in two.
        if (keep > 0 && name[keep - 1] >= 0xD800 && name[keep - 1] < 0xDC00)
            --keep;
        Units candidate = name.substr(0, keep) + tail;
        if (SameName(candidate, name))
            continue;
        out = folder + candidate;
        if (GetFileAttributesW(out.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
    return false;
}

WCHAR UnitAt(const BYTE* bytes, int64_t index) {
    return static_cast<WCHAR>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

// Opens the file and reads at most `count` bytes from its start (-1: the whole file) into the
// room that `room(n)` gives for the n bytes there are. Returns the number read, 0 for an empty
// file (or one too large for a 32-bit size) and -1 when it cannot be opened or read; `room` is
// not called for those.
template <typename Room> int64_t ReadFileInto(const WCHAR* path, int64_t count, Room&& room) {
    FILE* file = _wfopen(path, TEXT("rb"));
    if (file == nullptr)
        return -1;
    if (count == -1) {
        // The size must fit a 32-bit signed position; a larger file reads as empty rather
        // than as a wrapped, wrong size. It is measured in 64 bits: where long has 32 (on
        // Windows), ftell of a file of 4 GiB and 16 bytes can report 16.
        long long end = _fseeki64(file, 0, SEEK_END) == 0 ? _ftelli64(file) : -1;
        count = (end < 0 || end > INT32_MAX) ? 0 : static_cast<int64_t>(end);
        _fseeki64(file, 0, SEEK_SET);
    }
    if (count <= 0) {
        fclose(file);
        return 0;
    }
    BYTE* data = room(count);
    size_t read = fread(data, 1, static_cast<size_t>(count), file);
    bool failed = ferror(file) != 0;
    fclose(file);
    return failed ? -1 : static_cast<int64_t>(read);
}

} // namespace

int64_t ReadFileBytes(const WCHAR* path, int64_t count, CRixMem& buffer) {
    if (path == nullptr || path[0] == 0)
        return -1;
    int64_t read =
        ReadFileInto(path, count, [&buffer](int64_t n) { return buffer.PrepareLength(n); });
    if (read <= 0) {
        buffer.Free();
        return read;
    }
    buffer.SetLength(read);
    return read;
}

CWString& TextFromUtf16Bytes(CRixMem& bytes, CWString& text) {
    text.Empty();
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

CWString& ReadTextFile(const WCHAR* path, CWString& text, bool* read) {
    text.Empty();
    if (read != nullptr)
        *read = false;
    if (path == nullptr || path[0] == 0)
        return text;
    // The bytes are read straight into the text's own storage and turned into units where
    // they lie, so a file of many megabytes is held once, not as bytes and text side by side.
    BYTE* data = nullptr;
    int64_t got = ReadFileInto(path, -1, [&](int64_t n) {
        // One unit more than whole units, for an odd last byte; the text adds its terminator.
        data = reinterpret_cast<BYTE*>(text.BeginWrite(n / 2 + 1));
        return data;
    });
    if (read != nullptr)
        *read = got >= 0;
    if (got <= 0) {
        text.Empty();
        return text;
    }
    if (got % 2 != 0)
        data[got++] = 0; // an odd last byte pairs with a zero byte
    int64_t units = got / 2;
    int64_t first = UnitAt(data, 0) == 0xFEFF ? 1 : 0;
    // Unit i is read from bytes 2i and 2i + 1 before anything is written at or after them.
    auto out = reinterpret_cast<WCHAR*>(data);
    for (int64_t i = first; i < units; ++i) {
        WCHAR unit = UnitAt(data, i);
        out[i - first] = unit != 0 ? unit : TEXT(' ');
    }
    text.EndWrite(units - first);
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

    Units temporary;
    if (!TemporaryPath(path, temporary))
        return 0;
    FILE* file = _wfopen(temporary.c_str(), TEXT("wb"));
    if (file == nullptr)
        return 0;
    size_t size = static_cast<size_t>(bytes.GetLength());
    bool complete = fwrite(bytes.GetDataPtr(), 1, size, file) == size;
    complete = complete && fflush(file) == 0 && _commit(_fileno(file)) == 0;
    complete = (fclose(file) == 0) && complete;
    if (!complete ||
        !MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return 0;
    }
    return 1;
}
