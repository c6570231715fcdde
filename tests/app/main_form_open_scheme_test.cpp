// Opening the scheme named on the command line: picked and loaded as a choice in the scheme
// box would; a name that is not listed is said in a message and nothing is picked.
#include "tests/app/main_form_fixture.h"

namespace main_form_test {
namespace {

TEST_F(MainFormTest, ANamedSchemeIsPickedAndLoaded) {
    WriteScheme(TEXT("a"), TEXT("A65"));
    WriteScheme(TEXT("my scheme"), TEXT("A65 D50~80 B1"));
    Open();
    EXPECT_TRUE(window_->OpenScheme(CWString(TEXT("my scheme"))));
    int selected = -1;
    Lines items = ComboItems(kSchemeBox, &selected);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(items[static_cast<size_t>(selected)], TEXT("my scheme"));
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D50~80"), TEXT("B1")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延时50~80"), TEXT("鼠标左键")}));
}

TEST_F(MainFormTest, AnUnknownNameIsSaidAndNothingIsPicked) {
    static const WCHAR* const kNames[] = {TEXT("missing"), TEXT("A")}; // exact, letter case too
    WriteScheme(TEXT("a"), TEXT("A65"));
    Open();
    for (const WCHAR* name : kNames) {
        ModalScript script;
        script.Message(kNotice, IDOK).Start();
        EXPECT_FALSE(window_->OpenScheme(CWString(name)));
        ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }));
        ASSERT_FALSE(script.Failed()) << script.Failure();
        EXPECT_EQ(script.MessageTexts(),
                  Lines{TEXT("找不到方案“") + WString(name) + TEXT("”，请在“使用方案”中选择。")});
        int selected = 0;
        ComboItems(kSchemeBox, &selected);
        EXPECT_EQ(selected, -1);
        EXPECT_EQ(StepList.GetCount(), 0);
    }
}

} // namespace
} // namespace main_form_test
