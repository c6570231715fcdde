// Scheme files through the main window: the folder start-up, saving (name dialog, refused
// names, the overwrite question, a failed write that keeps the steps), loading and deleting.
#include "tests/app/main_form_fixture.h"

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
        .Input(kNameTitle, TEXT("方案 一"))
        .Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 6 || script.Failed(); }, 30000));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    PumpFor(100);
    EXPECT_EQ(ComboItems(kSchemeBox), Lines{TEXT("方案 一")});
    EXPECT_EQ(script.MessageTexts().size(), 2u);
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

TEST_F(MainFormTest, FilesAreListedByTitleAndLoadedAsTheyAre) {
    CreateDirectoryW(folder_.c_str(), nullptr);
    // An upper-case extension; a line break is no separator, so the file holds one code.
    ASSERT_TRUE(TempFolder::WriteBytes(folder_ + TEXT("x.TXT"), SchemeBytes(TEXT("A65\r\nB1"))));
    Open();
    ASSERT_EQ(ComboItems(kSchemeBox), Lines{TEXT("x")});
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([&] { return StepList.GetCount() == 1; }));
    EXPECT_EQ(Codes(), Lines{TEXT("A65\r\nB1")});
    EXPECT_EQ(ListLines(), Lines{TEXT("按键A")});
}

} // namespace
} // namespace main_form_test
