// Path joining and folding, the module folder, directory trees and existence tests.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/path.h"
#include "tests/support/sim_only.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(JoinPath, JoinsAndFolds) {
    struct Case {
        const WCHAR* base;
        const WCHAR* name;
        const WCHAR* joined;
    };
    const Case cases[] = {
        {TEXT("D:\\p"), TEXT("a.txt"), TEXT("D:\\p\\a.txt")},
        {TEXT("D:\\p\\"), TEXT("a.txt"), TEXT("D:\\p\\a.txt")},
        {TEXT("D:\\p\\a\\b\\"), TEXT("..\\..\\c"), TEXT("D:\\p\\c")},
        {TEXT("D:\\p\\"), TEXT(".\\x\\.\\y"), TEXT("D:\\p\\x\\y")},
        {TEXT("D:\\p\\.\\.\\"), TEXT("z"), TEXT("D:\\p\\z")},
        {TEXT("D:\\p\\"), TEXT("a\\..\\b\\..\\c"), TEXT("D:\\p\\c")},
        {TEXT("rel"), TEXT("..\\x"), TEXT("..\\x")}, // nothing above "rel": name unchanged
        {TEXT("D:\\"), TEXT("..\\x"), TEXT("..\\x")},
        {TEXT("D:\\p\\"), TEXT("E:\\abs"), TEXT("E:\\abs")},
        {TEXT("D:\\p\\"), TEXT("\\rooted"), TEXT("\\rooted")},
        {TEXT(""), TEXT("n"), TEXT("n")},
        {TEXT("b"), TEXT(""), TEXT("b")},
    };
    for (const Case& c : cases) {
        CWString scratch;
        const WCHAR* joined = JoinPath(c.base, c.name, scratch);
        ASSERT_NE(joined, nullptr) << Narrow(c.base) << " + " << Narrow(c.name);
        EXPECT_EQ(WString(joined), WString(c.joined)) << Narrow(c.base) << " + " << Narrow(c.name);
    }
}

TEST(JoinPath, ReturnsItsInputsWhereItBuildsNothing) {
    CWString scratch;
    const WCHAR* name = TEXT("E:\\abs");
    const WCHAR* base = TEXT("D:\\p");
    EXPECT_EQ(JoinPath(base, name, scratch), name);
    EXPECT_EQ(JoinPath(nullptr, name, scratch), name);
    EXPECT_EQ(JoinPath(base, nullptr, scratch), base);
    EXPECT_EQ(JoinPath(base, TEXT(""), scratch), base);
}

TEST(GetModuleDirectory, EndsWithABackslashAndHoldsTheProgram) {
    CWString dir;
    ASSERT_EQ(GetModuleDirectory(nullptr, dir), 1);
    WString d(dir.GetText());
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.back(), TEXT('\\'));
    EXPECT_TRUE(IsAbsolutePath(dir.GetText()));
    EXPECT_EQ(PathExists(dir.GetText()), 1);
    WCHAR program[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(WString(program, n).substr(0, d.size()), d);
}

#if defined(KEYSEQ_PLATFORM_SIM)
// A module whose file name does not fit 260 units gets it cut by GetModuleFileNameW; a cut
// name is no directory, so the answer is 0 and the empty text, not a folder that is not its.
TEST(GetModuleDirectory, RefusesAModuleNameCutAtTheBufferSize) {
    // A system library of the simulation, whose full name is its folder and this.
    const WString path = WString(250, TEXT('l')) + TEXT(".dll");
    sim::RegisterLibrary(path.c_str(), {});
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    CWString directory(TEXT("old"));
    EXPECT_EQ(GetModuleDirectory(module, directory), 0);
    EXPECT_TRUE(directory.IsEmpty());
    FreeLibrary(module);
    sim::ResetLibraries();
}
#else
KEYSEQ_SIM_ONLY_TEST(GetModuleDirectory, RefusesAModuleNameCutAtTheBufferSize,
                     "no module file of 260 units or more can exist without long paths")
#endif

TEST(CreateDirectoryTree, CreatesEveryMissingLevel) {
    TempFolder dir;
    WString deep = dir / TEXT("one\\two\\three");
    EXPECT_EQ(CreateDirectoryTree(deep.c_str()), 1);
    EXPECT_NE(GetFileAttributesW(deep.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(CreateDirectoryTree(deep.c_str()), 1); // already there

    WString trailing = dir / TEXT("t1\\t2\\");
    EXPECT_EQ(CreateDirectoryTree(trailing.c_str()), 1);
    EXPECT_EQ(PathExists((dir / TEXT("t1\\t2")).c_str()), 1);

    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("file"), "x"));
    EXPECT_EQ(CreateDirectoryTree((dir / TEXT("file")).c_str()), 1);
    // Below a file nothing can be made.
    EXPECT_EQ(CreateDirectoryTree((dir / TEXT("file\\sub")).c_str()), 0);
}

TEST(CreateDirectoryTree, RefusesWhatCannotBeMade) {
    TempFolder dir;
    EXPECT_EQ(CreateDirectoryTree(nullptr), 0);
    EXPECT_EQ(CreateDirectoryTree(TEXT("")), 0);
    EXPECT_EQ(CreateDirectoryTree(TEXT("Z:")), 1); // a bare drive
    EXPECT_EQ(CreateDirectoryTree(TEXT("z:")), 1);
    // Only a letter before the colon makes a drive; these go to CreateDirectoryW and fail.
    EXPECT_EQ(CreateDirectoryTree(TEXT("1:")), 0);
    EXPECT_EQ(CreateDirectoryTree(TEXT("?:")), 0);
    EXPECT_EQ(CreateDirectoryTree((dir / TEXT("ok\\bad<name\\x")).c_str()), 0);
    EXPECT_EQ(PathExists((dir / TEXT("ok\\bad<name")).c_str()), 0);
}

TEST(PathExists, SeesFilesAndDirectories) {
    TempFolder dir;
    ASSERT_TRUE(TempFolder::WriteBytes(dir / TEXT("f"), "x"));
    struct Case {
        WString path;
        int exists;
    };
    const Case cases[] = {
        {dir.Path(), 1},
        {dir.Path() + TEXT("\\"), 1},
        {dir / TEXT("f"), 1},
        {dir / TEXT("F"), 1},
        {dir / TEXT("missing"), 0},
        {dir / TEXT("missing\\deeper"), 0},
        {TEXT("Z:\\"), 1},
        {TEXT(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathExists(c.path.c_str()), c.exists) << Narrow(c.path);
    EXPECT_EQ(PathExists(nullptr), 0);
}

} // namespace
