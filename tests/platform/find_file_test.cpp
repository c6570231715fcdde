// Directory search through the platform layer on both backends: wildcard matching without case
// distinction, "." and "..", attributes, and the error codes of an empty or missing search.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

namespace {

struct Found {
    WString name;
    DWORD attributes;
};

std::vector<Found> Search(const WString& pattern, DWORD* error = nullptr) {
    std::vector<Found> out;
    WIN32_FIND_DATAW data;
    SetLastError(0);
    HANDLE h = FindFirstFileW(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        if (error != nullptr)
            *error = GetLastError();
        return out;
    }
    do
        out.push_back({data.cFileName, data.dwFileAttributes});
    while (FindNextFileW(h, &data));
    if (error != nullptr)
        *error = GetLastError();
    FindClose(h);
    return out;
}

std::vector<WString> Names(const std::vector<Found>& found) {
    std::vector<WString> names;
    for (const Found& f : found)
        names.push_back(f.name);
    std::sort(names.begin(), names.end());
    return names;
}

class FindFile : public ::testing::Test {
protected:
    void SetUp() override {
        for (const WCHAR* name : {TEXT("a.txt"), TEXT("x.TXT"), TEXT("b.dat"), TEXT("ab.txt")})
            ASSERT_TRUE(TempFolder::WriteBytes(dir / name, "1234"));
        ASSERT_TRUE(CreateDirectoryW((dir / TEXT("sub.txt")).c_str(), nullptr));
    }
    TempFolder dir;
};

TEST_F(FindFile, MatchesWildcardsWithoutCaseDistinction) {
    struct Case {
        const WCHAR* pattern;
        std::vector<WString> names;
    };
    const Case cases[] = {
        {TEXT("*.txt"), {TEXT("a.txt"), TEXT("ab.txt"), TEXT("sub.txt"), TEXT("x.TXT")}},
        {TEXT("?.txt"), {TEXT("a.txt"), TEXT("x.TXT")}},
        {TEXT("A*"), {TEXT("a.txt"), TEXT("ab.txt")}},
        {TEXT("*.DAT"), {TEXT("b.dat")}},
        {TEXT("X.txt"), {TEXT("x.TXT")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Names(Search(dir / c.pattern)), c.names) << Narrow(c.pattern);
}

TEST_F(FindFile, ReportsDotEntriesAndAttributes) {
    std::vector<Found> all = Search(dir / TEXT("*"));
    std::vector<WString> names = Names(all);
    EXPECT_EQ(names, (std::vector<WString>{TEXT("."), TEXT(".."), TEXT("a.txt"), TEXT("ab.txt"),
                                           TEXT("b.dat"), TEXT("sub.txt"), TEXT("x.TXT")}));
    for (const Found& f : all) {
        bool directory = f.name == TEXT(".") || f.name == TEXT("..") || f.name == TEXT("sub.txt");
        EXPECT_EQ((f.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, directory) << Narrow(f.name);
        if (!directory) {
            EXPECT_NE(f.attributes & FILE_ATTRIBUTE_ARCHIVE, 0u) << Narrow(f.name);
        }
    }
}

TEST_F(FindFile, ReportsSizeOfFiles) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir / TEXT("b.dat")).c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 4u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_FALSE(FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
}

// Files carry the archive bit until SetFileAttributesW clears it; the search reports what
// GetFileAttributesW reports, and writing the file sets the bit again.
TEST_F(FindFile, TheArchiveBitIsClearedAndSetAgain) {
    const WString path = dir / TEXT("a.txt");
    auto found = [&] {
        std::vector<Found> all = Search(path);
        return all.size() == 1 ? all[0].attributes : INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE, 0u);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
#if defined(KEYSEQ_PLATFORM_WIN32)
    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE)
        GTEST_SKIP() << "known difference: Wine reports every file as archived (it keeps no "
                        "archive bit), Windows and the simulation clear it";
#endif
    EXPECT_EQ(GetFileAttributesW(path.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(found() & FILE_ATTRIBUTE_ARCHIVE, 0u);
    EXPECT_NE(GetFileAttributesW((dir / TEXT("ab.txt")).c_str()) & FILE_ATTRIBUTE_ARCHIVE, 0u)
        << "the other files keep theirs";
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_NE(found() & FILE_ATTRIBUTE_ARCHIVE, 0u);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(TempFolder::WriteBytes(path, "new"));
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE, 0u);
}

// A closed search handle, or a handle of another kind, is refused, not followed.
#if defined(KEYSEQ_PLATFORM_SIM)
TEST_F(FindFile, StaleAndForeignHandlesAreRefused) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir / TEXT("*")).c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(FindClose(h));
    SetLastError(0);
    EXPECT_FALSE(FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(FindClose(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    SetLastError(0);
    EXPECT_FALSE(FindNextFileW(event, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(event));
}
#else
// Windows refuses such handles (they are kernel handles), but Wine's search handles are
// pointers to its own records: a closed one is read after it was freed, and a foreign one
// ends the program.
TEST_F(FindFile, StaleAndForeignHandlesAreRefused) {
    GTEST_SKIP() << "known difference: Wine follows stale and foreign search handles";
}
#endif

TEST_F(FindFile, EmptyAndMissingSearchesTellTheirReason) {
    DWORD error = 0;
    EXPECT_TRUE(Search(dir / TEXT("*.none"), &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(Search(dir / TEXT("missing\\*.txt"), &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

} // namespace
