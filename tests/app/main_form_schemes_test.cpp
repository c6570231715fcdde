// Scheme files through the main window: the folder start-up, saving (name dialog, refused
// names, the overwrite question, a failed write that keeps the steps), loading and deleting.
#include "tests/app/main_form_fixture.h"

#include <algorithm>
#include <fstream>
#include <functional>

#include "tests/support/running_under_wine.h"
#include "tests/support/symbolic_link.h"

namespace main_form_test {
namespace {

TEST_F(MainFormTest, MissingFolderIsCreatedAtStart) {
    ASSERT_FALSE(PathExists(folder_.c_str()));
    Open();
    EXPECT_TRUE(PathExists(folder_.c_str()));
    EXPECT_TRUE(ComboItems(kSchemeBox).empty());
}

TEST_F(MainFormTest, SavedSchemeHoldsTheCodesAndIsPicked) {
    Open();
    SetFocus(Hwnd(kKeyBox));
    Press('A');
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("A"); }));
    ASSERT_TRUE(AddBy(kAddKeyButton, 1));
    ASSERT_TRUE(AddBy(kAddMouseButton, 2));
    ASSERT_TRUE(AddBy(kAddDelayButton, 3));

    ModalScript script;
    script.Input(kNameTitle, TEXT("demo")).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).size() == 1 || script.Failed(); }));
    ASSERT_FALSE(script.Failed()) << script.Failure();

    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(SchemePath(TEXT("demo")), &ok),
              SchemeBytes(TEXT("A65 B1 D50")));
    EXPECT_TRUE(ok);
    int selected = -1;
    EXPECT_EQ(ComboItems(kSchemeBox, &selected), Lines{TEXT("demo")});
    EXPECT_EQ(selected, 0);
    // The lines are rebuilt from the file: a delay now reads 延时.
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("鼠标左键"), TEXT("延时50")}));
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("B1"), TEXT("D50")}));
}

TEST_F(MainFormTest, SavingWithoutStepsAsksNothing) {
    Open();
    ModalScript script;
    script.CancelInput(kNameTitle).Start();
    ClickAt(Hwnd(kSaveButton));
    PumpFor(500);
    EXPECT_EQ(script.Answered(), 0u);
}

TEST_F(MainFormTest, EmptyAndRefusedNamesAreAskedAgain) {
    Open();
    AddDelays({TEXT("5")});
    ModalScript script;
    script.Input(kNameTitle, TEXT(""))
        .Input(kNameTitle, TEXT("..\\out"))
        .Message(kNotice, IDOK)
        .Input(kNameTitle, TEXT("com1.txt"))
        .Message(kNotice, IDOK)
        // Under Wine the console's device exists as a file would: without the refusal the
        // save asked whether to replace it.
        .Input(kNameTitle, TEXT("CONIN$"))
        .Message(kNotice, IDOK)
        .Input(kNameTitle, TEXT("方案 一"))
        .Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 8 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpFor(100);
    EXPECT_EQ(ComboItems(kSchemeBox), Lines{TEXT("方案 一")});
    ASSERT_EQ(script.MessageTexts().size(), 3u);
    for (const WString& text : script.MessageTexts())
        EXPECT_NE(text.find(TEXT("设备名")), WString::npos) << Narrow(text);
    WString parent = folder_.substr(0, folder_.size() - 4); // without "ini/"
    EXPECT_FALSE(PathExists((parent + TEXT("out.txt")).c_str()));
}

TEST_F(MainFormTest, ExistingNameAsksBeforeReplacing) {
    WriteScheme(TEXT("demo"), TEXT("D1"));
    Open();
    AddDelays({TEXT("2")});
    ModalScript script;
    script.Input(kNameTitle, TEXT("demo"))
        .Message(kNotice, IDNO)
        .Input(kNameTitle, TEXT("demo"))
        .Message(kNotice, IDYES)
        .Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 4 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpUntil([&] { return !ListLines().empty(); });
    EXPECT_EQ(script.MessageTexts(),
              (Lines{TEXT("文件名重复，是否替换原方案？"), TEXT("文件名重复，是否替换原方案？")}));
    EXPECT_EQ(TempFolder::ReadBytes(SchemePath(TEXT("demo"))), SchemeBytes(TEXT("D2")));
    EXPECT_EQ(ListLines(), Lines{TEXT("延时2")});
}

TEST_F(MainFormTest, FailedSaveKeepsTheStepsAndSaysSo) {
    WriteScheme(TEXT("x"), TEXT("A65"));
    // A folder where the file would go: the write cannot replace it.
    ASSERT_TRUE(CreateDirectoryW(SchemePath(TEXT("demo")).c_str(), nullptr));
    Open();
    Lines before_items = ComboItems(kSchemeBox);
    int x = -1;
    for (size_t i = 0; i < before_items.size(); ++i)
        if (before_items[i] == TEXT("x"))
            x = static_cast<int>(i);
    ASSERT_NE(x, -1);
    Pick(kSchemeBox, x);
    ASSERT_TRUE(PumpUntil([&] { return ListLines() == Lines{TEXT("按键A")}; }));
    AddDelays({TEXT("7")});

    ModalScript script;
    script.Input(kNameTitle, TEXT("demo")).Message(kNotice, IDYES).Message(kNotice, IDOK).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 3 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpFor(100);
    ASSERT_EQ(script.MessageTexts().size(), 2u);
    EXPECT_NE(script.MessageTexts()[1].find(TEXT("未能保存")), WString::npos);
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D7")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延迟7")}));
    int selected = -1;
    EXPECT_EQ(ComboItems(kSchemeBox, &selected), before_items);
    EXPECT_EQ(selected, x);
}

TEST_F(MainFormTest, DeletingTheOnlySchemeEmptiesEverything) {
    WriteScheme(TEXT("only"), TEXT("A65 B1"));
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("only")});
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([&] { return ListLines().size() == 2; }));
    ClickAt(Hwnd(kDeleteButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).empty(); }));
    EXPECT_FALSE(PathExists(SchemePath(TEXT("only")).c_str()));
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ(StepList.GetCount(), 0);
}

// Removes a link the test made (and never the file it points to) when the test ends.
struct LinkGuard {
    WString path;
    ~LinkGuard() { RemoveFileLink(path); }
};

// The entry of the scheme box that reads `title`, or -1.
int IndexOf(const Lines& items, const WCHAR* title) {
    auto it = std::find(items.begin(), items.end(), WString(title));
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// A scheme that is a link to a file outside "ini/": under Wine DeleteFileW removed the file
// it points to and left the link. Nothing goes; the message says why; nothing changes.
TEST_F(MainFormTest, DeletingALinkLeavesWhatItPointsToAndSaysSo) {
    TempFolder outside;
    const WString victim = outside / TEXT("victim.txt");
    ASSERT_TRUE(TempFolder::WriteBytes(victim, SchemeBytes(TEXT("B1"))));
    WriteScheme(TEXT("mine"), TEXT("A65"));
    LinkGuard link{SchemePath(TEXT("link"))};
    std::string why;
    if (!MakeFileLink(link.path, victim, why))
        GTEST_SKIP() << why;
    Open();
    const Lines items = ComboItems(kSchemeBox);
    const int picked = IndexOf(items, TEXT("link"));
    ASSERT_NE(picked, -1);
    Pick(kSchemeBox, picked);
    ASSERT_TRUE(PumpUntil([&] { return ListLines() == Lines{TEXT("鼠标左键")}; }));
    AddDelays({TEXT("9")});

    ModalScript script;
    script.Message(kNotice, IDOK).Start();
    ClickAt(Hwnd(kDeleteButton));
    bool answered = PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }, 30000);
    PumpFor(100);
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(victim, &ok), SchemeBytes(TEXT("B1")));
    EXPECT_TRUE(ok) << "the file the link points to was deleted";
    EXPECT_TRUE(PathExists(link.path.c_str())) << "the link went";
    ASSERT_TRUE(answered);
    ASSERT_FALSE(script.Failed()) << script.Failure();
    EXPECT_NE(script.MessageTexts()[0].find(TEXT("链接")), WString::npos)
        << Narrow(script.MessageTexts()[0]);
    int selected = -1;
    EXPECT_EQ(ComboItems(kSchemeBox, &selected), items);
    EXPECT_EQ(selected, picked);
    EXPECT_EQ(Codes(), (Lines{TEXT("B1"), TEXT("D9")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("鼠标左键"), TEXT("延迟9")}));
}

// A delete that the system refuses says why and changes nothing: the scheme stays listed and
// picked, the steps stay, an unsaved added one with them.
TEST_F(MainFormTest, AFailedDeleteSaysWhyAndChangesNothing) {
    WriteScheme(TEXT("plan"), TEXT("A65"));
    const WString path = SchemePath(TEXT("plan"));
    HANDLE held = INVALID_HANDLE_VALUE;
    struct Case {
        const WCHAR* why; // what the message says
        std::function<void()> make;
        std::function<void()> undo;
    };
    const Case cases[] = {
        {TEXT("只读"),
         [&] { ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY)); },
         [&] { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {TEXT("正被其他程序使用"),
         [&] {
             held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
             ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
         },
         [&] { CloseHandle(held); }},
    };
    Open();
    const Lines items = ComboItems(kSchemeBox);
    ASSERT_EQ(items, Lines{TEXT("plan")});
    for (const Case& c : cases) {
        Pick(kSchemeBox, 0);
        ASSERT_TRUE(PumpUntil([&] { return Codes() == Lines{TEXT("A65")}; })) << Narrow(c.why);
        AddDelays({TEXT("9")});
        c.make();
        ModalScript script;
        script.Message(kNotice, IDOK).Start();
        ClickAt(Hwnd(kDeleteButton));
        bool answered = PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }, 30000);
        PumpFor(100);
        c.undo();
        ASSERT_TRUE(answered) << Narrow(c.why);
        ASSERT_FALSE(script.Failed()) << script.Failure();
        EXPECT_NE(script.MessageTexts()[0].find(c.why), WString::npos)
            << Narrow(script.MessageTexts()[0]);
        EXPECT_TRUE(PathExists(path.c_str())) << Narrow(c.why);
        int selected = -1;
        EXPECT_EQ(ComboItems(kSchemeBox, &selected), items) << Narrow(c.why);
        EXPECT_EQ(selected, 0) << Narrow(c.why);
        EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D9")})) << Narrow(c.why);
        EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延迟9")})) << Narrow(c.why);
    }
}

// A scheme held by another program that shares nothing loaded as 0 steps, without a word. It
// says so; the steps stay, and the box shows again the scheme they came from.
TEST_F(MainFormTest, ASchemeThatCannotBeReadSaysSoAndKeepsTheSteps) {
    WriteScheme(TEXT("a"), TEXT("A65"));
    WriteScheme(TEXT("b"), TEXT("B1"));
    Open();
    const int a = IndexOf(ComboItems(kSchemeBox), TEXT("a"));
    const int b = IndexOf(ComboItems(kSchemeBox), TEXT("b"));
    ASSERT_TRUE(a != -1 && b != -1);
    Pick(kSchemeBox, a);
    ASSERT_TRUE(PumpUntil([&] { return Codes() == Lines{TEXT("A65")}; }));
    AddDelays({TEXT("9")});

    HANDLE held = CreateFileW(SchemePath(TEXT("b")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
    ModalScript script;
    script.Message(kNotice, IDOK).Start();
    Pick(kSchemeBox, b);
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }, 30000));
    CloseHandle(held);
    ASSERT_FALSE(script.Failed()) << script.Failure();
    EXPECT_NE(script.MessageTexts()[0].find(TEXT("无法读取方案“b”：文件可能正被其他程序使用")),
              WString::npos)
        << Narrow(script.MessageTexts()[0]);
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D9")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延迟9")}));
    int selected = -1;
    ComboItems(kSchemeBox, &selected);
    EXPECT_EQ(selected, a);

    // Let go, it loads.
    Pick(kSchemeBox, b);
    EXPECT_TRUE(PumpUntil([&] { return Codes() == Lines{TEXT("B1")}; }));
}

#if defined(KEYSEQ_PLATFORM_SIM)
// Makes the simulation cut names too long for the host, as Wine does, for the guard's life.
struct CutLongNamesGuard {
    CutLongNamesGuard() { sim::CutLongNames(true); }
    ~CutLongNamesGuard() { sim::CutLongNames(false); }
};
#endif

// A name of 100 Chinese characters is 300 bytes on a Linux host, whose names hold 255: Wine
// writes the file as the first 85 characters without ".txt" and reports success, and the save
// then emptied the step list and picked nothing. The save is believed only when the scheme is
// listed under its name and reads back; otherwise it says so and changes nothing.
TEST_F(MainFormTest, ASaveThatDoesNotLandSaysSoAndKeepsTheSteps) {
#if defined(KEYSEQ_PLATFORM_SIM)
    CutLongNamesGuard cut;
#else
    if (!RunningUnderWine())
        GTEST_SKIP() << "needs a file system that cuts long names silently, as Wine on Linux";
#endif
    WriteScheme(TEXT("x"), TEXT("A65"));
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("x")});
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([&] { return Codes() == Lines{TEXT("A65")}; }));
    AddDelays({TEXT("7")});

    const WString name(100, TEXT('方'));
    ModalScript script;
    script.Input(kNameTitle, name).Message(kNotice, IDOK).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 2 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpFor(100);
    ASSERT_EQ(script.MessageTexts().size(), 1u);
    const WString said = script.MessageTexts()[0];
    EXPECT_NE(said.find(TEXT("未能保存")), WString::npos) << Narrow(said);
    EXPECT_NE(said.find(TEXT("名称可能过长")), WString::npos) << Narrow(said);
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D7")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延迟7")}));
    int selected = -1;
    EXPECT_EQ(ComboItems(kSchemeBox, &selected), Lines{TEXT("x")});
    EXPECT_EQ(selected, 0);
}

// A code with a blank inside (an older delay box took "5 0") is written as it is and reads
// back as two: the save says that the file does not give back the steps, and keeps them.
TEST_F(MainFormTest, ASaveThatDoesNotReadBackSaysSoAndKeepsTheSteps) {
    Open();
    AddDelays({TEXT("5")});
    StepList.Append(TEXT("D6 0"));
    ModalScript script;
    script.Input(kNameTitle, TEXT("blank")).Message(kNotice, IDOK).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 2 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpFor(100);
    ASSERT_EQ(script.MessageTexts().size(), 1u);
    EXPECT_NE(script.MessageTexts()[0].find(TEXT("读不回同样的步骤")), WString::npos)
        << Narrow(script.MessageTexts()[0]);
    EXPECT_EQ(Codes(), (Lines{TEXT("D5"), TEXT("D6 0")}));
    EXPECT_EQ(ListLines(), Lines{TEXT("延迟5")});
    EXPECT_TRUE(ComboItems(kSchemeBox).empty());
}

TEST_F(MainFormTest, FilesAreListedByTitleAndLoadedAsTheyAre) {
    CreateDirectoryW(folder_.c_str(), nullptr);
    // An upper-case extension, and one code per line as a file written by hand has them.
    ASSERT_TRUE(TempFolder::WriteBytes(folder_ + TEXT("x.TXT"), SchemeBytes(TEXT("A65\r\nB1"))));
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("x")});
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([&] { return StepList.GetCount() == 2; }));
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("B1")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("鼠标左键")}));
}

// A zero unit between codes cuts nothing: every step is loaded, shown and saved again.
TEST_F(MainFormTest, ASchemeWithAZeroUnitLoadsAndSavesWhole) {
    CreateDirectoryW(folder_.c_str(), nullptr);
    WString text = TEXT("A65 B1");
    text.push_back(0);
    text += TEXT("D50\tE1@2");
    ASSERT_TRUE(TempFolder::WriteBytes(SchemePath(TEXT("zero")), SchemeBytes(text)));
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("zero")});
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([&] { return ListLines().size() == 4; }));
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("B1"), TEXT("D50"), TEXT("E1@2")}));
    EXPECT_EQ(ListLines(),
              (Lines{TEXT("按键A"), TEXT("鼠标左键"), TEXT("延时50"), TEXT("坐标1@2")}));

    ModalScript script;
    script.Input(kNameTitle, TEXT("copy")).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).size() == 2 || script.Failed(); }));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    EXPECT_EQ(TempFolder::ReadBytes(SchemePath(TEXT("copy"))),
              SchemeBytes(TEXT("A65 B1 D50 E1@2")));
}

// "*.txt" also matches the 8.3 short name of plan.txtold (PLAN~1.TXT), on Windows and under
// Wine, which makes short names of its own; the simulation is given one. Only plan.txt is a
// scheme, and deleting "plan" removes that file and nothing else.
TEST_F(MainFormTest, AFileFoundByItsShortNameIsNoScheme) {
    WriteScheme(TEXT("plan"), TEXT("A65"));
    const WString other = folder_ + TEXT("plan.txtold");
    ASSERT_TRUE(TempFolder::WriteBytes(other, SchemeBytes(TEXT("B1"))));
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetShortName(other.c_str(), TEXT("PLAN~1.TXT"));
#endif
    Open();
    EXPECT_EQ(ComboItems(kSchemeBox), Lines{TEXT("plan")});
    ASSERT_EQ(window_->GetSchemePaths().GetCount(), 1);
    EXPECT_TRUE(WString(window_->GetSchemePaths().GetTextAt(0)).ends_with(TEXT("\\plan.txt")))
        << Narrow(window_->GetSchemePaths().GetTextAt(0));
    int last = static_cast<int>(ComboItems(kSchemeBox).size()) - 1;
    Pick(kSchemeBox, last);
    ASSERT_TRUE(PumpUntil([&] { return ListLines() == Lines{TEXT("按键A")}; }));
    ClickAt(Hwnd(kDeleteButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).empty(); }));
    EXPECT_FALSE(PathExists(SchemePath(TEXT("plan")).c_str()));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(other, &ok), SchemeBytes(TEXT("B1")));
    EXPECT_TRUE(ok) << "plan.txtold was deleted";
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetShortName(other.c_str(), nullptr);
#endif
}

#if defined(KEYSEQ_PLATFORM_SIM)
// The host keeps names that differ only in case apart, so x.txt and x.TXT are two files with
// the same title: deleting the picked entry removes its own file, whatever the entry reads.
TEST_F(MainFormTest, DeletingRemovesTheListedFileOfThePickedEntry) {
    WriteScheme(TEXT("x"), TEXT("A65"));
    // Through the host, since the simulation (as Windows) finds x.txt for x.TXT: the folder
    // "Z:\..." is the host's "/...".
    std::string host = Narrow(folder_.substr(2)) + "x.TXT";
    std::replace(host.begin(), host.end(), '\\', '/');
    {
        std::ofstream file(host, std::ios::binary);
        file << SchemeBytes(TEXT("B1"));
        ASSERT_TRUE(file.good()) << host;
    }
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), (Lines{TEXT("x"), TEXT("x")}));
    int upper = -1;
    for (int i = 0; i < 2; ++i)
        if (WString(window_->GetSchemePaths().GetTextAt(i)).ends_with(TEXT("x.TXT")))
            upper = i;
    ASSERT_NE(upper, -1);
    Pick(kSchemeBox, upper);
    ASSERT_TRUE(PumpUntil([&] { return ListLines() == Lines{TEXT("鼠标左键")}; }));
    ClickAt(Hwnd(kDeleteButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).size() == 1; }));
    bool ok = false;
    EXPECT_EQ(TempFolder::ReadBytes(SchemePath(TEXT("x")), &ok), SchemeBytes(TEXT("A65")));
    EXPECT_TRUE(ok) << "x.txt was deleted in place of x.TXT";
    EXPECT_EQ(window_->GetSchemePaths().GetCount(), 1);
    EXPECT_TRUE(WString(window_->GetSchemePaths().GetTextAt(0)).ends_with(TEXT("x.txt")));
}

// Restores the real program path when a test has given the simulation another one.
struct ProgramPathGuard {
    explicit ProgramPathGuard(const WString& path) { sim::SetProgramPath(path.c_str()); }
    ~ProgramPathGuard() { sim::SetProgramPath(nullptr); }
};

// Makes a folder the current directory for the guard's life.
struct CurrentDirectoryGuard {
    explicit CurrentDirectoryGuard(const WString& path) {
        GetCurrentDirectoryW(MAX_PATH, saved);
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentDirectoryGuard() { SetCurrentDirectoryW(saved); }
    WCHAR saved[MAX_PATH] = {};
};

// A program path too long for the 260-unit buffer leaves no scheme folder: saving and deleting
// say so and touch no file (the paths would name files of the current directory).
TEST_F(MainFormTest, WithoutASchemeFolderSavingAndDeletingAreRefused) {
    WriteScheme(TEXT("kept"), TEXT("A65"));
    TempFolder current;
    CurrentDirectoryGuard in_current(current.Path());
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("kept")});
    {
        ProgramPathGuard long_path(TEXT("Z:\\") + WString(270, TEXT('d')) + TEXT("\\keyseq.exe"));
        ASSERT_EQ(SchemeFolder().GetLength(), 0);
        AddDelays({TEXT("5")});
        ModalScript script;
        script.Message(kNotice, IDOK).Message(kNotice, IDOK).Start();
        ClickAt(Hwnd(kSaveButton));
        ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }, 30000));
        Pick(kSchemeBox, 0);
        ASSERT_TRUE(PumpUntil([&] { return ListLines() == Lines{TEXT("按键A")}; }));
        ClickAt(Hwnd(kDeleteButton));
        ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 2 || script.Failed(); }, 30000));
        ASSERT_FALSE(script.Failed()) << script.Failure();
        for (const WString& text : script.MessageTexts())
            EXPECT_NE(text.find(TEXT("找不到程序所在的文件夹")), WString::npos) << Narrow(text);
        EXPECT_TRUE(PathExists(SchemePath(TEXT("kept")).c_str())) << "the picked scheme went";
        EXPECT_EQ(ComboItems(kSchemeBox), Lines{TEXT("kept")});
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((current / TEXT("*")).c_str(), &data);
        int entries = 0;
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (WString(data.cFileName) != TEXT(".") && WString(data.cFileName) != TEXT(".."))
                    ++entries;
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        EXPECT_EQ(entries, 0) << "a file was written into the current directory";
    }
}

#else
// Declared on Windows too, as skipped with the reason, so both programs list the same tests.
TEST_F(MainFormTest, DeletingRemovesTheListedFileOfThePickedEntry) {
    GTEST_SKIP() << "needs two files whose names differ only in case, which Windows cannot hold";
}
TEST_F(MainFormTest, WithoutASchemeFolderSavingAndDeletingAreRefused) {
    GTEST_SKIP() << "needs a program path of 260 units or more, which the simulation can give";
}
#endif

} // namespace
} // namespace main_form_test
