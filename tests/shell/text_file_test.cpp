// Whole-file reads and text-file writes on both backends: round trips, the byte-order mark and
// odd lengths, the defined results for bad paths, a failed write that leaves the old file, and
// targets right up to the 260-unit path limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/text_file.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Bytes(const CRixMem& m) {
    return std::string(reinterpret_cast<const char*>(m.GetDataPtr()),
                       static_cast<size_t>(m.GetLength()));
}

WString Read(const WString& path) {
    CWString text;
    ReadTextFile(path.c_str(), text);
    return WString(text.GetText(), static_cast<size_t>(text.GetLength()));
}

// The names in a folder, sorted, without "." and "..".
std::vector<WString> Entries(const TempFolder& dir) {
    std::vector<WString> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir / TEXT("*")).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        WString name(data.cFileName);
        if (name != TEXT(".") && name != TEXT(".."))
            names.push_back(name);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TextFile, RoundTripsTextsExactly) {
    TempFolder dir;
    const WString texts[] = {
        TEXT(""),
        TEXT("K65 D100 M0"),
        TEXT("键序台 方案"),
        WString(TEXT("emoji \xD83D\xDE00 end")), // a surrogate pair
        WString(TEXT("line\r\nnext\ttab")),
    };
    for (const WString& t : texts) {
        WString path = dir / TEXT("scheme.txt");
        ASSERT_EQ(WriteTextFile(CWString(t.c_str()), path.c_str()), 1) << Narrow(t);
        EXPECT_EQ(Read(path), t) << Narrow(t);
        std::string raw = TempFolder::ReadBytes(path);
        ASSERT_EQ(raw.size(), 2 + 2 * t.size());
        EXPECT_EQ(raw.substr(0, 2), "\xFF\xFE");
    }
}

TEST(TextFile, WritesLittleEndianUnitsAfterTheMark) {
    TempFolder dir;
    WString path = dir / TEXT("a.txt");
    ASSERT_EQ(WriteTextFile(CWString(TEXT("A键")), path.c_str()), 1);
    EXPECT_EQ(TempFolder::ReadBytes(path), std::string("\xFF\xFE\x41\x00\x2E\x95", 6));
}

TEST(TextFile, ReadsWhateverBytesAreThere) {
    TempFolder dir;
    struct Case {
        std::string bytes;
        WString text;
    };
    const Case cases[] = {
        {std::string("\xFF\xFE\x41", 3), TEXT("A")},      // odd length: the last byte pairs with 0
        {std::string("\x41\x00\x42\x00", 4), TEXT("AB")}, // no mark
        {std::string("\xFF\xFE", 2), TEXT("")},           // only the mark
        // A zero unit reads as a blank, wherever it is: nothing after it is lost.
        {std::string("\x00\x00\x41\x00", 4), TEXT(" A")},
        {std::string("\x41\x00\x00\x00\x42\x00", 6), TEXT("A B")},
        {std::string("\xFF\xFE\x41\x00\x00\x00\x00\x00", 8), TEXT("A  ")},
        {std::string("\xFF\xFE\x00", 3), TEXT(" ")}, // an odd zero byte is a zero unit
        {std::string("\x41", 1), TEXT("A")},         // one byte, the same
        {std::string(), TEXT("")},                   // empty file
        {std::string("ab", 2), WString(1, static_cast<WCHAR>(0x6261))}, // UTF-8: garbage
    };
    for (const Case& c : cases) {
        WString path = dir / TEXT("in.txt");
        ASSERT_TRUE(TempFolder::WriteBytes(path, c.bytes));
        EXPECT_EQ(Read(path), c.text) << c.bytes.size() << " bytes";
    }
}

TEST(TextFile, ReadFileBytesTellsEmptyFromMissing) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("four"), "1234"));
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("empty"), ""));
    CRixMem m;
    EXPECT_EQ(ReadFileBytes((dir / TEXT("four")).c_str(), 10, m), 4);
    EXPECT_EQ(Bytes(m), "1234");
    EXPECT_EQ(ReadFileBytes((dir / TEXT("four")).c_str(), 2, m), 2);
    EXPECT_EQ(Bytes(m), "12");
    EXPECT_EQ(ReadFileBytes((dir / TEXT("four")).c_str(), -1, m), 4);

    EXPECT_EQ(ReadFileBytes((dir / TEXT("empty")).c_str(), -1, m), 0);
    EXPECT_EQ(m.GetLength(), 0);
    ReadFileBytes((dir / TEXT("four")).c_str(), -1, m);
    EXPECT_EQ(ReadFileBytes((dir / TEXT("missing")).c_str(), -1, m), -1);
    EXPECT_EQ(m.GetLength(), 0);
    ReadFileBytes((dir / TEXT("four")).c_str(), -1, m);
    EXPECT_EQ(ReadFileBytes(dir.Path().c_str(), -1, m), -1); // a directory
    EXPECT_EQ(m.GetLength(), 0);

    // A null or empty path leaves the buffer as it was.
    ReadFileBytes((dir / TEXT("four")).c_str(), -1, m);
    EXPECT_EQ(ReadFileBytes(nullptr, -1, m), -1);
    EXPECT_EQ(ReadFileBytes(TEXT(""), -1, m), -1);
    EXPECT_EQ(Bytes(m), "1234");
}

// Makes the file `bytes` long without writing them (sparse where the file system allows).
bool MakeFileOfSize(const WString& path, long long bytes) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    size.QuadPart = bytes;
    bool ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
#else
    return TempFolder::WriteBytes(path, "") && sim::SetFileSize(path.c_str(), bytes);
#endif
}

// A size that a 32-bit signed position cannot hold reads as an empty file, never as a wrapped
// size that would read some other number of bytes.
TEST(TextFile, FilesBeyondA32BitSizeReadAsEmpty) {
    TempFolder dir;
    for (long long size : {0x80000000LL + 16, 0x100000000LL + 16}) {
        const WString path = dir / TEXT("huge.bin");
        ASSERT_TRUE(MakeFileOfSize(path, size)) << size;
        CRixMem m;
        m.Append("old", 3);
        EXPECT_EQ(ReadFileBytes(path.c_str(), -1, m), 0) << size;
        EXPECT_EQ(m.GetLength(), 0) << size;
        CWString text(TEXT("old"));
        EXPECT_EQ(ReadTextFile(path.c_str(), text).GetLength(), 0) << size;
        EXPECT_TRUE(DeleteFileW(path.c_str()));
    }
}

TEST(TextFile, BadPathsGiveTheDefinedResults) {
    TempFolder dir;
    const WString longName(300, TEXT('n'));
    const WString paths[] = {
        TEXT(""),
        dir / TEXT("missing\\x.txt"),
        dir / TEXT("bad|name.txt"),
        dir / TEXT("a\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\nowhere\\x.txt"),
        dir / longName,
    };
    for (const WString& p : paths) {
        CWString text(TEXT("old"));
        ReadTextFile(p.c_str(), text);
        EXPECT_EQ(text.GetLength(), 0) << Narrow(p);
        EXPECT_EQ(WriteTextFile(CWString(TEXT("x")), p.c_str()), 0) << Narrow(p);
        EXPECT_EQ(GetFileAttributesW(p.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(p);
    }
    EXPECT_EQ(WriteTextFile(CWString(TEXT("x")), nullptr), 0);
    CWString text;
    EXPECT_EQ(ReadTextFile(nullptr, text).GetLength(), 0);
}

TEST(TextFile, AFailedWriteKeepsTheOldFile) {
    TempFolder dir;
    // The target is a folder: the finished temporary file cannot take its place, and goes.
    WString folder = dir / TEXT("folder.txt");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(WriteTextFile(CWString(TEXT("x")), folder.c_str()), 0);
    EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(Entries(dir), std::vector<WString>{TEXT("folder.txt")});
}

// The temporary file takes a name that nothing in the folder has, so files whose names look
// like temporary ones are never overwritten or removed.
TEST(TextFile, TheTemporaryFileOverwritesNothing) {
    TempFolder dir;
    const WString files[] = {TEXT("k.tx~"), TEXT("k.t~1"), TEXT("k.t~2")};
    for (const WString& name : files)
        ASSERT_TRUE(TempFolder::WriteBytes(dir / name, "mine"));
    ASSERT_TRUE(CreateDirectoryW((dir / TEXT("k.t~3")).c_str(), nullptr));
    for (const WCHAR* text : {TEXT("first"), TEXT("second")}) {
        ASSERT_EQ(WriteTextFile(CWString(text), (dir / TEXT("k.txt")).c_str()), 1);
        EXPECT_EQ(Read(dir / TEXT("k.txt")), text);
    }
    for (const WString& name : files)
        EXPECT_EQ(TempFolder::ReadBytes(dir / name), "mine") << Narrow(name);
    std::vector<WString> expected(std::begin(files), std::end(files));
    expected.push_back(TEXT("k.t~3"));
    expected.push_back(TEXT("k.txt"));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(dir), expected);
}

// Windows refuses paths of 260 units or more (without the extended prefix), and so does the
// simulation. A target one unit below the limit must be as writable, and replaceable, as any
// other: the temporary file beside it may not be longer.
TEST(TextFile, TargetsUpToThePathLimitCanBeWritten) {
    TempFolder dir;
    const WString folder = dir.Path() + TEXT("\\");
    ASSERT_LT(folder.size() + 2, static_cast<size_t>(MAX_PATH));
    const size_t longestName = MAX_PATH - 1 - folder.size();
    for (size_t name : {longestName, longestName - 1, size_t{1}}) {
        const WString path = folder + WString(name - 1, TEXT('n')) + TEXT("x");
        for (const WCHAR* text : {TEXT("first"), TEXT("second")}) {
            EXPECT_EQ(WriteTextFile(CWString(text), path.c_str()), 1) << path.size();
            EXPECT_EQ(Read(path), text) << path.size();
        }
        EXPECT_TRUE(DeleteFileW(path.c_str()));
    }
#if defined(KEYSEQ_PLATFORM_SIM)
    // NOTE: Wine, which runs the Windows build here, has no such limit, so this half is the
    // simulation's (modelled on Windows) alone.
    const WString tooLong = folder + WString(longestName + 1, TEXT('n'));
    EXPECT_EQ(WriteTextFile(CWString(TEXT("x")), tooLong.c_str()), 0);
    EXPECT_TRUE(Entries(dir).empty());
#endif
}

TEST(TextFile, AFullDiskKeepsTheOldFile) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    GTEST_SKIP() << "a full disk is simulated on the host backend only";
#else
    TempFolder dir;
    WString path = dir / TEXT("keep.txt");
    ASSERT_EQ(WriteTextFile(CWString(TEXT("precious")), path.c_str()), 1);
    for (long long limit : {0LL, 1LL, 2LL, 9LL}) {
        sim::SetWriteLimit(limit);
        int result = WriteTextFile(CWString(TEXT("a longer replacement text")), path.c_str());
        sim::SetWriteLimit(-1);
        EXPECT_EQ(result, 0) << limit;
        EXPECT_EQ(Read(path), TEXT("precious")) << limit;
        EXPECT_EQ(Entries(dir), std::vector<WString>{TEXT("keep.txt")}) << limit;
    }
#endif
}

} // namespace
