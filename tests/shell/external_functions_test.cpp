// The runtime exception and the binding of external function tables: the three load attempts,
// the two failure texts, the current directory kept, and the release of loaded libraries.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/path.h"
#include "runtime/shell/rix_exception.h"
#include "tests/support/temp_folder.h"

namespace {

WString Text(const CWString& s) {
    return WString(s.GetText(), static_cast<size_t>(s.GetLength()));
}

int64_t Handles(const CRixMem& m) {
    return m.GetLength() / 8;
}

// Binds the table and returns the description of the exception it threw (empty: none).
WString BindFailure(ExternalFunction* table, CRixMem& loaded) {
    try {
        BindExternalFunctionTable(table, loaded);
    } catch (const CRixException& e) {
        EXPECT_EQ(e.GetCode(), -1);
        return Text(e.GetDescription());
    }
    return WString();
}

TEST(RixException, CarriesCodeAndDescription) {
    CRixException none;
    EXPECT_EQ(none.GetCode(), 0);
    EXPECT_TRUE(none.GetDescription().IsEmpty());
    CRixException message(TEXT("boom"));
    EXPECT_EQ(message.GetCode(), -1);
    EXPECT_EQ(Text(message.GetDescription()), TEXT("boom"));
    EXPECT_EQ(CRixException(static_cast<const WCHAR*>(nullptr)).GetDescription().GetLength(), 0);

    // Equality looks at the code, not the description.
    EXPECT_EQ(message.IsEqual(CRixException(TEXT("other"))), 1);
    EXPECT_EQ(message.IsEqual(none), 0);
    CRixException copy;
    EXPECT_EQ(copy.Assign(message), 1);
    EXPECT_EQ(Text(copy.GetDescription()), TEXT("boom"));
    copy.Reset();
    EXPECT_EQ(copy.GetCode(), 0);
    EXPECT_TRUE(copy.GetDescription().IsEmpty());
    try {
        throw CRixException(TEXT("thrown"));
    } catch (const CRixException& e) {
        EXPECT_EQ(Text(e.GetDescription()), TEXT("thrown"));
    }
}

TEST(BindExternalFunctions, BindsTheProgramsTableAndKeepsTheCurrentDirectory) {
    WCHAR before[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, before);
    CRixMem loaded;
    EXPECT_EQ(BindExternalFunctions(loaded), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(g_ExternalFunctions[i].pfnFunction, nullptr) << i;
    EXPECT_EQ(Handles(loaded), 1);
    WCHAR after[MAX_PATH];
    EXPECT_EQ(WString(after, GetCurrentDirectoryW(MAX_PATH, after)), WString(before, n));
    FreeLoadedLibraries(loaded);
    EXPECT_EQ(loaded.GetLength(), 0);
    EXPECT_EQ(loaded.GetDataPtr(), nullptr);
}

TEST(BindExternalFunctions, NamesTheLibraryOrFunctionThatFailed) {
    struct Case {
        ExternalFunction table[3];
        WString message;
        int64_t handles;
    };
    Case cases[] = {
        {{{TEXT("no_such_library_anywhere.dll"), "F", nullptr}, {nullptr, nullptr, nullptr}},
         TEXT("载入运行时所需要的外部动态链接库文件\"no_such_library_anywhere.dll\"失败!"),
         0},
        {{{TEXT(""), "FindClose", nullptr}, {nullptr, nullptr, nullptr}},
         TEXT("载入运行时所需要的外部动态链接库文件\"\"失败!"),
         0},
        {{{TEXT("Kernel32.dll"), "FindClose", nullptr},
          {TEXT(""), "NoSuch\xE5\x87\xBD\xE6\x95\xB0", nullptr}, // UTF-8 for 函数
          {nullptr, nullptr, nullptr}},
         TEXT("在外部动态链接库\"Kernel32.dll\"中未找到所需要的输出函数\"NoSuch函数\"!"),
         1},
    };
    for (Case& c : cases) {
        CRixMem loaded;
        EXPECT_EQ(BindFailure(c.table, loaded), c.message) << Narrow(c.message);
        EXPECT_EQ(Handles(loaded), c.handles);
        FreeLoadedLibraries(loaded);
    }
}

TEST(BindExternalFunctions, SameLibraryTwiceIsLoadedTwice) {
    ExternalFunction table[] = {{TEXT("Kernel32.dll"), "FindClose", nullptr},
                                {TEXT("kernel32.dll"), "FindNextFileW", nullptr},
                                {nullptr, nullptr, nullptr}};
    CRixMem loaded;
    EXPECT_EQ(BindExternalFunctionTable(table, loaded), 1);
    EXPECT_EQ(Handles(loaded), 2);
    FreeLoadedLibraries(loaded);
}

#if !defined(KEYSEQ_PLATFORM_WIN32)

int Seven() {
    return 7;
}

// The simulation's registry stands in for library files, so every attempt can be watched.
class BindAttempts : public ::testing::Test {
protected:
    void SetUp() override {
        sim::ResetLibraries();
        ASSERT_EQ(GetModuleDirectory(nullptr, programDir), 1);
    }
    void TearDown() override { sim::ResetLibraries(); }
    WString Dir() const { return Text(programDir); }
    std::vector<WString> Attempts() const {
        std::vector<WString> names;
        for (const sim::LibraryLoad& l : sim::LibraryLoadLog())
            names.push_back(l.name);
        return names;
    }
    CWString programDir;
};

TEST_F(BindAttempts, RelativeNameIsTriedBesideTheProgramThenAsItsFileNameThenAsWritten) {
    ExternalFunction table[] = {{TEXT("sub\\lib.dll"), "Seven", nullptr},
                                {nullptr, nullptr, nullptr}};
    CRixMem loaded;
    EXPECT_NE(BindFailure(table, loaded), WString());
    EXPECT_EQ(Attempts(), (std::vector<WString>{Dir() + TEXT("sub\\lib.dll"),
                                                Dir() + TEXT("lib.dll"), TEXT("sub\\lib.dll")}));

    // Present as its bare file name beside the program: the second attempt finds it.
    sim::ResetLibraries();
    sim::RegisterLibrary((Dir() + TEXT("lib.dll")).c_str(), {{"Seven", sim::AsProc(&Seven)}});
    EXPECT_EQ(BindExternalFunctionTable(table, loaded), 1);
    EXPECT_EQ(reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(table[0].pfnFunction))(), 7);
    EXPECT_EQ(Attempts().size(), 2u);
    FreeLoadedLibraries(loaded);
    EXPECT_EQ(sim::LibraryLoadCount((Dir() + TEXT("lib.dll")).c_str()), 0);
}

TEST_F(BindAttempts, AbsoluteNameLoadsFromItsOwnFolder) {
    TempFolder dir;
    WString lib = dir / TEXT("own.dll");
    sim::RegisterLibrary(lib.c_str(), {{"Seven", sim::AsProc(&Seven)}});
    ExternalFunction table[] = {{lib.c_str(), "Seven", nullptr}, {nullptr, nullptr, nullptr}};
    WCHAR before[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, before);
    CRixMem loaded;
    EXPECT_EQ(BindExternalFunctionTable(table, loaded), 1);
    std::vector<sim::LibraryLoad> log = sim::LibraryLoadLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(WString(log[0].currentDirectory), dir.Path());
    WCHAR after[MAX_PATH];
    EXPECT_EQ(WString(after, GetCurrentDirectoryW(MAX_PATH, after)), WString(before, n));
    FreeLoadedLibraries(loaded);
}

TEST_F(BindAttempts, AbsoluteNameMissingIsTriedBesideTheProgram) {
    ExternalFunction table[] = {{TEXT("Z:\\nowhere\\x.dll"), "Seven", nullptr},
                                {nullptr, nullptr, nullptr}};
    CRixMem loaded;
    EXPECT_NE(BindFailure(table, loaded), WString());
    EXPECT_EQ(Attempts(),
              (std::vector<WString>{TEXT("Z:\\nowhere\\x.dll"), Dir() + TEXT("x.dll")}));
}

TEST_F(BindAttempts, LoadedLibrariesAreFreedInLoadOrder) {
    sim::RegisterLibrary(TEXT("first.dll"), {{"Seven", sim::AsProc(&Seven)}});
    sim::RegisterLibrary(TEXT("second.dll"), {{"Seven", sim::AsProc(&Seven)}});
    ExternalFunction table[] = {{TEXT("first.dll"), "Seven", nullptr},
                                {TEXT("second.dll"), "Seven", nullptr},
                                {TEXT("first.dll"), "Seven", nullptr},
                                {nullptr, nullptr, nullptr}};
    CRixMem loaded;
    EXPECT_EQ(BindExternalFunctionTable(table, loaded), 1);
    EXPECT_EQ(sim::LibraryLoadCount(TEXT("first.dll")), 2);
    FreeLoadedLibraries(loaded);
    EXPECT_EQ(sim::LibraryFreeLog(),
              (std::vector<std::u16string>{u"first.dll", u"second.dll", u"first.dll"}));
    EXPECT_EQ(sim::LibraryLoadCount(TEXT("first.dll")), 0);
}

#endif

} // namespace
