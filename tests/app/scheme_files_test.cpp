// Scheme files on both backends: the folder beside the program, the file's exact bytes, what
// a file reads back as, the folder listing with titles, and the scheme-name check.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "runtime/core/rg_wbshzl.h"
#include "runtime/core/rix_mem.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/path.h"
#include "tests/support/temp_folder.h"

namespace {

// UTF-16LE bytes of an ASCII text.
std::string Utf16(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

class SchemeFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(BindExternalFunctions(libraries()), 1); }
    static void TearDownTestSuite() { FreeLoadedLibraries(libraries()); }
    static CRixMem& libraries() {
        static CRixMem m;
        return m;
    }

    // The folder as the program forms it: a backslash path ending in "ini/".
    CWString Folder() const { return CWString((dir_ / TEXT("ini/")).c_str()); }

    TempFolder dir_;
    CStepList list_;
};

TEST_F(SchemeFilesTest, TheFolderIsIniBesideTheProgram) {
    CWString program;
    ASSERT_EQ(GetModuleDirectory(nullptr, program), 1);
    EXPECT_EQ(WString(SchemeFolder().GetText()), WString(program.GetText()) + TEXT("ini/"));
    EXPECT_EQ(WString(SchemePath(Folder(), TEXT("方案 1")).GetText()),
              dir_ / TEXT("ini/方案 1.txt"));
}

TEST_F(SchemeFilesTest, AMissingFolderIsCreatedAndReportedAsNew) {
    EXPECT_FALSE(EnsureSchemeFolder(Folder())) << "it did not exist";
    EXPECT_EQ(PathExists(Folder().GetText()), 1);
    EXPECT_NE(GetFileAttributesW((dir_ / TEXT("ini")).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(EnsureSchemeFolder(Folder()));
}

TEST_F(SchemeFilesTest, SavingWritesTheMarkAndTheCodesBetweenSingleSpaces) {
    for (const WCHAR* code : {TEXT("A65"), TEXT("B1"), TEXT("D50")})
        list_.Append(code);
    EXPECT_EQ(WString(JoinStepCodes(list_).GetText()), TEXT("A65 B1 D50"));
    EnsureSchemeFolder(Folder());
    CWString path = SchemePath(Folder(), TEXT("demo"));
    ASSERT_EQ(WriteSchemeFile(list_, path.GetText()), 1);
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(path.GetText(), &ok), "\xFF\xFE" + Utf16("A65 B1 D50"));
    EXPECT_TRUE(ok);
}

TEST_F(SchemeFilesTest, JoiningTrimsOnlyTheEnds) {
    // A delay typed with a blank inside keeps it; blanks at the ends of the whole go.
    struct Case {
        std::vector<const WCHAR*> codes;
        const WCHAR* joined;
    };
    const Case cases[] = {
        {{}, TEXT("")},
        {{TEXT("A65")}, TEXT("A65")},
        {{TEXT("D5 0"), TEXT("B2")}, TEXT("D5 0 B2")},
        {{TEXT(" C1@2"), TEXT("E3@4 ")}, TEXT("C1@2 E3@4")},
    };
    for (const Case& c : cases) {
        list_.Clear();
        for (const WCHAR* code : c.codes)
            list_.Append(code);
        EXPECT_EQ(WString(JoinStepCodes(list_).GetText()), c.joined) << Narrow(c.joined);
    }
}

TEST_F(SchemeFilesTest, ReadingCutsAtBlanksAndLineBreaks) {
    struct Case {
        std::string bytes;
        std::vector<WString> codes;
    };
    const Case cases[] = {
        {"\xFF\xFE" + Utf16("A65 B1 D50"), {TEXT("A65"), TEXT("B1"), TEXT("D50")}},
        // One code per line, as a file written by hand or by another tool has them.
        {"\xFF\xFE" + Utf16("A65\r\nB1"), {TEXT("A65"), TEXT("B1")}},
        {Utf16("A65\nB1\n\tD50\r\n"), {TEXT("A65"), TEXT("B1"), TEXT("D50")}},
        // No mark, blanks in runs and at the ends.
        {Utf16("  D5   0 "), {TEXT("D5"), TEXT("0")}},
        {"\xFF\xFE", {}},
        // A zero unit between codes is a blank: everything after it is read.
        {"\xFF\xFE" + Utf16("A65") + std::string(2, '\0') + Utf16("B1 D50"),
         {TEXT("A65"), TEXT("B1"), TEXT("D50")}},
        {"\xFF\xFE" + Utf16("A65 ") + std::string(6, '\0') + Utf16(" E1@2"),
         {TEXT("A65"), TEXT("E1@2")}},
        {"\xFF\xFE" + std::string(2, '\0') + Utf16("C-8@0"), {TEXT("C-8@0")}},
    };
    for (const Case& c : cases) {
        WString path = dir_ / TEXT("s.txt");
        ASSERT_TRUE(TempFolder::WriteBytes(path, c.bytes));
        list_.Append(TEXT("stale"));
        EXPECT_EQ(ReadSchemeFile(path.c_str(), list_), static_cast<int64_t>(c.codes.size()));
        std::vector<WString> got;
        for (int64_t i = 0; i < list_.GetCount(); ++i)
            got.push_back(list_.GetAt(i).GetText());
        EXPECT_EQ(got, c.codes) << c.codes.size();
    }
}

// A scheme that cannot be read is no empty scheme: the read answers -1 and the list keeps its
// codes. A file held by another program that shares nothing, a missing file, a folder.
TEST_F(SchemeFilesTest, AFileThatCannotBeReadLeavesTheListAlone) {
    const WString locked = dir_ / TEXT("locked.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(locked, "\xFF\xFE" + Utf16("A65 B1")));
    ASSERT_TRUE(CreateDirectoryW((dir_ / TEXT("folder.txt")).c_str(), nullptr));
    HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
    for (const WString& path : {locked, dir_ / TEXT("missing.txt"), dir_ / TEXT("folder.txt")}) {
        list_.Clear();
        list_.Append(TEXT("D7"));
        list_.Append(TEXT("C1@2"));
        EXPECT_EQ(ReadSchemeFile(path.c_str(), list_), -1) << Narrow(path);
        std::vector<WString> kept;
        for (int64_t i = 0; i < list_.GetCount(); ++i)
            kept.push_back(list_.GetAt(i).GetText());
        EXPECT_EQ(kept, (std::vector<WString>{TEXT("D7"), TEXT("C1@2")})) << Narrow(path);
    }
    CloseHandle(held);
    // Once let go, it reads.
    EXPECT_EQ(ReadSchemeFile(locked.c_str(), list_), 2);
    // An empty file is read: an empty scheme.
    ASSERT_TRUE(TempFolder::WriteBytes(dir_ / TEXT("empty.txt"), ""));
    EXPECT_EQ(ReadSchemeFile((dir_ / TEXT("empty.txt")).c_str(), list_), 0);
    EXPECT_EQ(list_.GetCount(), 0);
}

// A scheme with a zero unit between codes, read and saved again, keeps every code.
TEST_F(SchemeFilesTest, AZeroUnitIsReadPastAndNotSavedBack) {
    EnsureSchemeFolder(Folder());
    CWString path = SchemePath(Folder(), TEXT("zero"));
    ASSERT_TRUE(TempFolder::WriteBytes(path.GetText(), "\xFF\xFE" + Utf16("A65") +
                                                           std::string(2, '\0') + Utf16("B1 D50")));
    EXPECT_EQ(ReadSchemeFile(path.GetText(), list_), 3);
    CWString again = SchemePath(Folder(), TEXT("again"));
    ASSERT_EQ(WriteSchemeFile(list_, again.GetText()), 1);
    EXPECT_EQ(TempFolder::ReadBytes(again.GetText()), "\xFF\xFE" + Utf16("A65 B1 D50"));
}

TEST_F(SchemeFilesTest, ListingGivesPathsAndTitlesEntryForEntry) {
    ASSERT_FALSE(EnsureSchemeFolder(Folder()));
    WString ini = dir_ / TEXT("ini");
    for (const WCHAR* name : {TEXT("x.TXT"), TEXT("方案.txt"), TEXT("a.b.txt"), TEXT("note.dat")})
        ASSERT_TRUE(TempFolder::WriteBytes(ini + TEXT("\\") + name, "\xFF\xFE"));
    rg_lch_jb::rg_wbshzl paths, titles;
    paths.Append(TEXT("stale"));
    titles.Append(TEXT("stale"));
    ASSERT_EQ(ListSchemeFiles(Folder(), paths, titles), 3);
    ASSERT_EQ(titles.GetCount(), 3);
    std::vector<std::pair<WString, WString>> got;
    for (int64_t i = 0; i < paths.GetCount(); ++i)
        got.emplace_back(titles.GetTextAt(i), paths.GetTextAt(i));
    std::sort(got.begin(), got.end());
    // The folder text is kept as given, with the backslash that the listing adds.
    const WString base = ini + TEXT("/\\");
    EXPECT_EQ(got,
              (std::vector<std::pair<WString, WString>>{{TEXT("a.b"), base + TEXT("a.b.txt")},
                                                        {TEXT("x"), base + TEXT("x.TXT")},
                                                        {TEXT("方案"), base + TEXT("方案.txt")}}));
    // The listed path opens the file.
    list_.Append(TEXT("B1"));
    EXPECT_EQ(WriteSchemeFile(list_, got[1].second.c_str()), 1);
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(ini + TEXT("\\x.TXT"), &ok), "\xFF\xFE" + Utf16("B1"));
    EXPECT_TRUE(ok);
}

TEST(SchemeName, RefusesWhatCouldLeaveTheFolderOrNameADevice) {
    struct Case {
        const WCHAR* name;
        bool valid;
    };
    const Case cases[] = {
        {TEXT("demo"), true},
        {TEXT("方案一"), true},
        {TEXT(" leading blank"), true},
        {TEXT("a.b"), true},
        {TEXT("con1"), true},
        {TEXT("COM0"), true},
        {TEXT("LPT10"), true},
        {TEXT("console"), true},
        {TEXT("auxiliary.txt"), true},
        {TEXT("NULL"), true},
        {TEXT(""), false},
        {TEXT("..\\up"), false},
        {TEXT("sub/name"), false},
        {TEXT("C:name"), false},
        {TEXT("a*"), false},
        {TEXT("a?"), false},
        {TEXT("say \"hi\""), false},
        {TEXT("<a>"), false},
        {TEXT("a|b"), false},
        {TEXT("tab\there"), false},
        {TEXT("line\nbreak"), false},
        {TEXT("\x1F"), false},
        {TEXT("ends in blank "), false},
        {TEXT("ends in dot."), false},
        {TEXT(".."), false},
        {TEXT("CON"), false},
        {TEXT("con"), false},
        {TEXT("Prn.txt"), false},
        {TEXT("aux.a.b"), false},
        {TEXT("NUL .x"), false},
        {TEXT("com1"), false},
        {TEXT("COM9.log"), false},
        {TEXT("lpt1"), false},
        {TEXT("LpT9"), false},
        // The superscript digits one to three name ports too; four and above do not.
        {TEXT("COM\u00B9"), false},
        {TEXT("com\u00B2"), false},
        {TEXT("COM\u00B3.txt"), false},
        {TEXT("LPT\u00B9"), false},
        {TEXT("lpt\u00B2 .log"), false},
        {TEXT("LPT\u00B3"), false},
        {TEXT("COM\u2074"), true},
        {TEXT("LPT\u2070"), true},
        {TEXT("COM\u00B9\u00B9"), true},
        {TEXT("X\u00B9"), true},
        // The console's devices and the clock, which Windows opens for these names too.
        {TEXT("CONIN$"), false},
        {TEXT("conout$"), false},
        {TEXT("CLOCK$"), false},
        {TEXT("Conin$.txt"), false},
        {TEXT("CONOUT$ .log"), false},
        {TEXT("CONIN"), true},
        {TEXT("CONIN$$"), true},
        {TEXT("CLOCK"), true},
        {TEXT("$CLOCK"), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidSchemeName(c.name), c.valid) << Narrow(c.name);
    EXPECT_FALSE(IsValidSchemeName(nullptr));
}

} // namespace
