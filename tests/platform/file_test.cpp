// Files, directories and the current directory through the platform layer. The same checks run
// against the simulation on the host and against Wine's Win32, so the simulation is held to
// what Windows does: error codes, name folding, no case distinction, directories not opened as
// files.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/symbolic_link.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(PlatformFile, WideNamesRoundTripThroughOpen) {
    TempFolder dir;
    WString path = dir / TEXT("键序台 ü.bin");
    std::string bytes("\xFF\xFE\x00\x41", 4);
    ASSERT_TRUE(TempFolder::WriteBytes(path, bytes));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(path, &ok), bytes);
    EXPECT_TRUE(ok);
}

TEST(PlatformFile, OpenRefusesMissingFilesAndDirectories) {
    TempFolder dir;
    EXPECT_EQ(_wfopen((dir / TEXT("missing.txt")).c_str(), TEXT("rb")), nullptr);
    EXPECT_EQ(_wfopen(dir.Path().c_str(), TEXT("rb")), nullptr);
    EXPECT_EQ(_wfopen((dir / TEXT("no\\such\\x.txt")).c_str(), TEXT("wb")), nullptr);
}

TEST(PlatformFile, NamesAreFoundWithoutCaseDistinction) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("Mixed.TXT"), "x"));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(dir / TEXT("mixed.txt"), &ok), "x");
    EXPECT_TRUE(ok);
    EXPECT_NE(GetFileAttributesW((dir / TEXT("MIXED.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PlatformFile, CreateDirectoryReportsWhyItFailed) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("file"), "x"));
    struct Case {
        WString path;
        BOOL result;
        DWORD error;
    };
    const Case cases[] = {
        {dir / TEXT("new"), TRUE, 0},
        {dir / TEXT("new"), FALSE, ERROR_ALREADY_EXISTS},
        {dir / TEXT("file"), FALSE, ERROR_ALREADY_EXISTS},
        {dir / TEXT("a\\b"), FALSE, ERROR_PATH_NOT_FOUND},
        // ".." folds before the file system sees the path: "gone" need not exist.
        {dir / TEXT("gone\\..\\folded"), TRUE, 0},
        {dir / TEXT("bad<name"), FALSE, ERROR_INVALID_NAME},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreateDirectoryW(c.path.c_str(), nullptr), c.result) << Narrow(c.path);
        if (!c.result) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << Narrow(c.path);
        }
    }
    EXPECT_NE(GetFileAttributesW((dir / TEXT("folded")).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(PlatformFile, AttributesTellFilesFromDirectories) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("f.txt"), "x"));
    DWORD file = GetFileAttributesW((dir / TEXT("f.txt")).c_str());
    ASSERT_NE(file, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(file & FILE_ATTRIBUTE_ARCHIVE, 0u);

    for (const WString& d : {dir.Path(), dir.Path() + TEXT("\\")}) {
        DWORD a = GetFileAttributesW(d.c_str());
        ASSERT_NE(a, INVALID_FILE_ATTRIBUTES) << Narrow(d);
        EXPECT_NE(a & FILE_ATTRIBUTE_DIRECTORY, 0u) << Narrow(d);
    }

    SetLastError(0);
    EXPECT_EQ(GetFileAttributesW((dir / TEXT("missing")).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesW((dir / TEXT("missing\\x")).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(PlatformFile, MoveReplacesOnlyWhenAsked) {
    TempFolder dir;
    WString a = dir / TEXT("a"), b = dir / TEXT("b");
    ASSERT_TRUE(TempFolder::WriteBytes(a, "new"));
    ASSERT_TRUE(TempFolder::WriteBytes(b, "old"));
    SetLastError(0);
    EXPECT_FALSE(MoveFileExW(a.c_str(), b.c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(TempFolder::ReadBytes(b), "old");

    EXPECT_TRUE(MoveFileExW(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(TempFolder::ReadBytes(b), "new");
    EXPECT_EQ(GetFileAttributesW(a.c_str()), INVALID_FILE_ATTRIBUTES);

    // A directory does not give way to a file.
    ASSERT_TRUE(CreateDirectoryW((dir / TEXT("d")).c_str(), nullptr));
    EXPECT_FALSE(MoveFileExW(b.c_str(), (dir / TEXT("d")).c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(TempFolder::ReadBytes(b), "new");
}

TEST(PlatformFile, DeleteRemovesFilesOnly) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("f"), "x"));
    EXPECT_TRUE(DeleteFileW((dir / TEXT("f")).c_str()));
    EXPECT_EQ(GetFileAttributesW((dir / TEXT("f")).c_str()), INVALID_FILE_ATTRIBUTES);
    SetLastError(0);
    EXPECT_FALSE(DeleteFileW((dir / TEXT("f")).c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(dir.Path().c_str()));
    EXPECT_NE(GetFileAttributesW(dir.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

// A handle's sharing keeps out the opens it does not share, _wfopen's too (the C run-time of
// Windows shares read and write), until it is closed.
TEST(PlatformFile, AHandleKeepsOutWhatItDoesNotShare) {
    TempFolder dir;
    const WString path = dir / TEXT("held.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(path, "held"));
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
    EXPECT_EQ(_wfopen(path.c_str(), TEXT("rb")), nullptr);
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, all, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // Asking for no access at all clashes with nothing.
    HANDLE look = CreateFileW(path.c_str(), 0, all, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(look, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(look);
    ASSERT_TRUE(CloseHandle(held));

    // Shared for reading: reading comes in, writing does not.
    held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
    FILE* reader = _wfopen(path.c_str(), TEXT("rb"));
    EXPECT_NE(reader, nullptr);
    if (reader != nullptr)
        fclose(reader);
    EXPECT_EQ(_wfopen(path.c_str(), TEXT("ab")), nullptr);
    ASSERT_TRUE(CloseHandle(held));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(path, &ok), "held");
    EXPECT_TRUE(ok);

    // A folder opens only as one.
    EXPECT_EQ(CreateFileW(dir.Path().c_str(), 0, all, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    HANDLE folder = CreateFileW(dir.Path().c_str(), 0, all, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_NE(folder, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(folder);
}

// The final path of a handle resolves a link to what it points to: the one thing Wine shows of
// a host link, whose attributes read as a plain file's.
TEST(PlatformFile, TheFinalPathOfALinkIsItsTarget) {
    TempFolder dir;
    const WString target = dir / TEXT("target.txt");
    const WString link = dir / TEXT("link.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(target, "t"));
    std::string why;
    if (!MakeFileLink(link, target, why))
        GTEST_SKIP() << why;
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    auto final_path = [&](const WString& path) {
        HANDLE h = CreateFileW(path.c_str(), 0, all, nullptr, OPEN_EXISTING, 0, nullptr);
        WCHAR buffer[1024] = {};
        DWORD n = h == INVALID_HANDLE_VALUE ? 0 : GetFinalPathNameByHandleW(h, buffer, 1024, 0);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        return WString(buffer, n);
    };
    const WString of_target = final_path(target);
    ASSERT_FALSE(of_target.empty());
    EXPECT_TRUE(of_target.ends_with(TEXT("\\target.txt"))) << Narrow(of_target);
    EXPECT_EQ(final_path(link), of_target);
    EXPECT_TRUE(RemoveFileLink(link));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(target, &ok), "t");
    EXPECT_TRUE(ok);
}

TEST(PlatformFile, CurrentDirectoryAnchorsRelativePaths) {
    TempFolder dir;
    WCHAR saved[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_GT(n, 0u);
    ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));

    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));
    WCHAR now[MAX_PATH];
    DWORD m = GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(WString(now, m), dir.Path());
    // Too small a buffer: the size needed, terminator included.
    WCHAR tiny[2];
    EXPECT_EQ(GetCurrentDirectoryW(2, tiny), m + 1);

    EXPECT_TRUE(TempFolder::WriteBytes(TEXT("rel.txt"), "r"));
    EXPECT_EQ(TempFolder::ReadBytes(dir / TEXT("rel.txt")), "r");
    EXPECT_FALSE(SetCurrentDirectoryW((dir / TEXT("missing")).c_str()));

    ASSERT_TRUE(SetCurrentDirectoryW(saved));
}

TEST(PlatformFile, ModuleFileNameIsTheProgramsAbsolutePath) {
    WCHAR name[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, name, MAX_PATH);
    ASSERT_GT(n, 3u);
    ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
    WString path(name, n);
    EXPECT_EQ(path.substr(1, 2), WString(TEXT(":\\")));
    EXPECT_NE(path.find(TEXT("keyseq_tests")), WString::npos) << Narrow(path);
    EXPECT_NE(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES) << Narrow(path);

    // A buffer too small: cut, and the full size reported. NOTE: Windows terminates the cut
    // name in the last unit, Wine leaves it unterminated, so only the first four are compared.
    WCHAR small[5];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
    EXPECT_EQ(WString(small, 4), path.substr(0, 4));
}

TEST(PlatformLibrary, LoadsKnownLibrariesAndResolvesTheirFunctions) {
    HMODULE k = LoadLibraryW(TEXT("kernel32.dll"));
    ASSERT_NE(k, nullptr);
    EXPECT_NE(GetProcAddress(k, "FindFirstFileW"), nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(k, "NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(k));

    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(TEXT("no_such_library_anywhere.dll")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

} // namespace
