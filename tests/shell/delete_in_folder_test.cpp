// Deleting one file of a folder on both backends: a plain file goes; a link stays, and so does
// the file it points to, inside the folder or outside it; a file that refuses (read-only, held
// by another handle without delete sharing, a folder, a missing one) stays and the error says
// why.
#include <gtest/gtest.h>

#include <functional>

#include "platform/platform.h"
#include "runtime/shell/delete_in_folder.h"
#include "tests/support/symbolic_link.h"
#include "tests/support/temp_folder.h"

namespace {

bool Exists(const WString& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DeleteInFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(Folder().c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(Outside().c_str(), nullptr));
    }
    WString Folder() const { return dir_ / TEXT("ini"); }
    WString Outside() const { return dir_ / TEXT("outside"); }
    // The path as the scheme listing gives it: the folder text "...\ini/", then a backslash.
    WString Listed(const WCHAR* name) const { return Folder() + TEXT("/\\") + name; }

    TempFolder dir_;
};

TEST_F(DeleteInFolderTest, APlainFileGoes) {
    const WString path = Folder() + TEXT("\\plan.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(path, "plan"));
    EXPECT_EQ(DeleteFileInFolder(Listed(TEXT("plan.txt")).c_str()), FolderDelete::Deleted);
    EXPECT_FALSE(Exists(path));
}

// Under Wine a host link looks like a plain file, and DeleteFileW on it removes the file it
// points to; on Windows and in the simulation it is a reparse point. Either way nothing goes.
TEST_F(DeleteInFolderTest, ALinkStaysAndSoDoesWhatItPointsTo) {
    const WString victim = Outside() + TEXT("\\victim.txt");
    const WString other = Folder() + TEXT("\\other.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(victim, "victim"));
    ASSERT_TRUE(TempFolder::WriteBytes(other, "other"));
    struct Case {
        const WCHAR* name;
        WString target;
    };
    const Case cases[] = {{TEXT("link.txt"), victim}, {TEXT("inside.txt"), other}};
    for (const Case& c : cases) {
        const WString link = Folder() + TEXT("\\") + c.name;
        std::string why;
        if (!MakeFileLink(link, c.target, why))
            GTEST_SKIP() << why;
        EXPECT_EQ(DeleteFileInFolder(Listed(c.name).c_str()), FolderDelete::Elsewhere)
            << Narrow(c.name);
        bool ok = false;
        EXPECT_FALSE(TempFolder::ReadBytes(c.target, &ok).empty()) << Narrow(c.target);
        EXPECT_TRUE(ok) << Narrow(c.target) << " went with " << Narrow(c.name);
        EXPECT_TRUE(Exists(link)) << Narrow(c.name);
        EXPECT_TRUE(RemoveFileLink(link)) << Narrow(c.name);
    }
}

TEST_F(DeleteInFolderTest, AFileThatRefusesStaysAndTheErrorSaysWhy) {
    const WString path = Folder() + TEXT("\\plan.txt");
    HANDLE held = INVALID_HANDLE_VALUE;
    struct Case {
        const char* what;
        std::function<void()> make;
        std::function<void()> undo;
        DWORD error;
    };
    const Case cases[] = {
        {"read-only",
         [&] { ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY)); },
         [&] { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); }, ERROR_ACCESS_DENIED},
        {"held without delete sharing",
         [&] {
             held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
             ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
         },
         [&] { CloseHandle(held); }, ERROR_SHARING_VIOLATION},
        {"held sharing nothing",
         [&] {
             held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
         },
         [&] { CloseHandle(held); }, ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(TempFolder::WriteBytes(path, "plan"));
        c.make();
        EXPECT_EQ(DeleteFileInFolder(Listed(TEXT("plan.txt")).c_str()), FolderDelete::Failed)
            << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        c.undo();
        bool ok = false;
        EXPECT_EQ(TempFolder::ReadBytes(path, &ok), "plan") << c.what;
        EXPECT_TRUE(ok) << c.what;
    }

    // A folder of the name is no file to delete; a missing file is not found.
    ASSERT_TRUE(CreateDirectoryW((Folder() + TEXT("\\dir.txt")).c_str(), nullptr));
    EXPECT_EQ(DeleteFileInFolder(Listed(TEXT("dir.txt")).c_str()), FolderDelete::Failed);
    EXPECT_NE(GetFileAttributesW((Folder() + TEXT("\\dir.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(DeleteFileInFolder(Listed(TEXT("missing.txt")).c_str()), FolderDelete::Failed);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

} // namespace
