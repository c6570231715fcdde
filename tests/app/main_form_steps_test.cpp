// Step editing through the main window's controls: the key box, the add buttons with their codes
// and lines side by side, the coordinate check, the count guard, and moving and deleting steps
// by the step menu and by keys with the selection rules.
#include "tests/app/main_form_fixture.h"

#include "app/steps/step_text.h"

namespace main_form_test {
namespace {

TEST_F(MainFormTest, KeyBoxRecordsAKeyThatTheAddButtonAppends) {
    Open();
    const KeyBoxCase kCases[] = {
        {{'A'}, TEXT("A"), 65},
        {{VK_NUMPAD0 + 5}, TEXT("5"), 53},           // keypad digits are the main digits
        {{VK_CONTROL, 'A'}, TEXT("Ctrl+A"), 0x2041}, // the shortcut, with its modifier bits
        {{VK_SPACE}, TEXT("空格"), 32},              // the application's own name first
        {{VK_OEM_MINUS}, TEXT("-"), 189},
    };
    Lines codes;
    Lines lines;
    for (const KeyBoxCase& c : kCases)
        ASSERT_NO_FATAL_FAILURE(TypeAndAdd(c, codes, lines));
    EXPECT_EQ(Codes(), codes);
    EXPECT_EQ(ListLines(), lines);
    EXPECT_EQ(Selected(), -1);
}

// Keys pressed while modifiers are held are recorded as shortcuts, Alt ones included (they
// arrive as system keys); a modifier pressed by itself records itself. The codes read back to
// the same lines when the list is rebuilt from them.
TEST_F(MainFormTest, KeyBoxRecordsShortcutsWithTheirModifiers) {
    Open();
    const KeyBoxCase kCases[] = {
        {{VK_SHIFT, 'H'}, TEXT("Shift+H"), 0x8048},
        {{VK_CONTROL, 'V'}, TEXT("Ctrl+V"), 0x2056},
        {{VK_MENU, 'X'}, TEXT("Alt+X"), 0x4058},
        // F3 alone shows nothing (no own name, no character). Not F1: that is the trigger key.
        {{VK_CONTROL, VK_SHIFT, VK_F1 + 2}, TEXT("Ctrl+Shift+F3"), 0xA072},
        {{VK_SHIFT, VK_MENU, VK_F1 + 1}, TEXT("Shift+Alt+F2"), 0xC071},
        {{VK_CONTROL, VK_SPACE}, TEXT("Ctrl+Space"), 0x2020},
        {{VK_CONTROL, VK_NUMPAD0 + 5}, TEXT("Ctrl+5"), 0x2035},
        {{VK_CONTROL}, TEXT("Ctrl"), 17},
        {{VK_MENU}, TEXT("Alt"), 18},
        {{VK_CONTROL, VK_SHIFT}, TEXT("Shift"), 16}, // a modifier by itself, other held or not
    };
    Lines codes;
    Lines lines;
    for (const KeyBoxCase& c : kCases)
        ASSERT_NO_FATAL_FAILURE(TypeAndAdd(c, codes, lines));
    EXPECT_EQ(Codes(), codes);
    EXPECT_EQ(ListLines(), lines);
    for (size_t i = 0; i < codes.size(); ++i) {
        CWString code(codes[i].c_str());
        EXPECT_EQ(WString(StepDisplayText(code).GetText()), lines[i]) << "rebuilt line " << i;
    }
}

// Alt pressed and let go in the key box, or with a key, must not leave the window in the menu
// key's mode (or a mnemonic's search), which would take the keys pressed next.
TEST_F(MainFormTest, AfterAltInTheKeyBoxTheNextKeysStillReachIt) {
    Open();
    SetFocus(Hwnd(kKeyBox));
    Press(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("Alt"); }));
    PumpFor(100);
    Press('B');
    EXPECT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("B"); }))
        << "shows " << Narrow(Caption(kKeyBox));
    Key(VK_MENU, 0);
    Press('S');
    Key(VK_MENU, KEYEVENTF_KEYUP);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("Alt+S"); }));
    PumpFor(100);
    Press('C');
    EXPECT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("C"); }))
        << "shows " << Narrow(Caption(kKeyBox));
    EXPECT_EQ(GetFocus(), Hwnd(kKeyBox));
}

TEST_F(MainFormTest, AKeyWithoutTextLeavesTheKeyBoxEmptyAndAddsNothing) {
    Open();
    SetFocus(Hwnd(kKeyBox));
    Press('A');
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("A"); }));
    Press(VK_F1 + 1); // F2: a framework name, but no own name and no character
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox).empty(); }));
    ClickAt(Hwnd(kAddKeyButton));
    PumpFor(200);
    EXPECT_EQ(StepList.GetCount(), 0);
    EXPECT_TRUE(ListLines().empty());
}

// Tab is the dialog manager's: it moves the focus on and never reaches the key box.
TEST_F(MainFormTest, TabInTheKeyBoxMovesTheFocusAndRecordsNothing) {
    Open();
    SetFocus(Hwnd(kKeyBox));
    Press('A');
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("A"); }));
    Press(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() != Hwnd(kKeyBox); })) << "the focus stayed";
    EXPECT_TRUE(IsChild(hwnd_, GetFocus())) << "the focus left the window";
    PumpFor(100);
    EXPECT_EQ(Caption(kKeyBox), WString(TEXT("A")));
    EXPECT_EQ(MainEditBoxes[0].GetData(), 65);
}

TEST_F(MainFormTest, AddButtonsWriteCodesAndLinesSideBySide) {
    Open();
    SendMessageW(Hwnd(kMouseBox), CB_SETCURSEL, 2, 0);
    ASSERT_TRUE(AddBy(kAddMouseButton, 1));
    ASSERT_TRUE(AddBy(kAddDelayButton, 2));
    ASSERT_TRUE(AddBy(kAddMoveButton, 3));
    SetText(kCoordXBox, TEXT("100"));
    SetText(kCoordYBox, TEXT("200"));
    ASSERT_TRUE(AddBy(kAddCoordButton, 4));
    SetText(kDelayBox, TEXT(""));
    SetText(kCoordXBox, TEXT(""));
    SetText(kCoordYBox, TEXT(""));
    ASSERT_TRUE(AddBy(kAddDelayButton, 5));
    ASSERT_TRUE(AddBy(kAddCoordButton, 6));
    // Empty boxes mean 0, written as 0: "E@" would read back, but as no number at all.
    EXPECT_EQ(Codes(), (Lines{TEXT("B3"), TEXT("D50"), TEXT("C-8@0"), TEXT("E100@200"), TEXT("D0"),
                              TEXT("E0@0")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("鼠标中键"), TEXT("延迟50"), TEXT("移动-8@0"),
                                  TEXT("坐标100@200"), TEXT("延迟0"), TEXT("坐标0@0")}));
}

// What the boxes give, blanks and full-width input of a Chinese input method included, is
// added as the numbers it means, and each step comes back from its file as that one step.
TEST_F(MainFormTest, BoxTextsAddTheStepsTheyMeanAndTheseComeBackFromTheFile) {
    Open();
    struct {
        int button;
        int box1;
        const WCHAR* text1;
        int box2; // -1: one box
        const WCHAR* text2;
        const WCHAR* code;
        const WCHAR* line;
        const WCHAR* reloaded;
    } const kCases[] = {
        {kAddDelayButton, kDelayBox, TEXT("50 ~ 80"), -1, nullptr, TEXT("D50~80"),
         TEXT("延迟50~80"), TEXT("延时50~80")},
        {kAddDelayButton, kDelayBox, TEXT("\xFF15\xFF10"), -1, nullptr, TEXT("D50"), TEXT("延迟50"),
         TEXT("延时50")},
        {kAddDelayButton, kDelayBox,
         TEXT("50\xFF5E"
              "80"),
         -1, nullptr, TEXT("D50~80"), TEXT("延迟50~80"), TEXT("延时50~80")},
        {kAddMoveButton, kMoveXBox, TEXT("3"), kMoveYBox, TEXT(" 4 "), TEXT("C3@4"),
         TEXT("移动3@4"), TEXT("移动3@4")},
        {kAddMoveButton, kMoveXBox, TEXT(""), kMoveYBox, TEXT("5"), TEXT("C0@5"), TEXT("移动0@5"),
         TEXT("移动0@5")},
        {kAddCoordButton, kCoordXBox, TEXT("\xFF11\xFF10\xFF10"), kCoordYBox,
         TEXT("\x3000"
              "200"),
         TEXT("E100@200"), TEXT("坐标100@200"), TEXT("坐标100@200")},
    };
    Lines codes;
    Lines lines;
    Lines reloaded;
    for (const auto& c : kCases) {
        SetText(c.box1, c.text1);
        if (c.box2 >= 0)
            SetText(c.box2, c.text2);
        ASSERT_TRUE(AddBy(c.button, StepList.GetCount() + 1)) << Narrow(c.code);
        codes.push_back(c.code);
        lines.push_back(c.line);
        reloaded.push_back(c.reloaded);
    }
    EXPECT_EQ(Codes(), codes);
    EXPECT_EQ(ListLines(), lines);

    ModalScript script;
    script.Input(kNameTitle, TEXT("boxes")).Start();
    ClickAt(Hwnd(kSaveButton));
    ASSERT_TRUE(PumpUntil([&] { return ComboItems(kSchemeBox).size() == 1 || script.Failed(); }));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    WString joined;
    for (const WString& code : codes)
        joined += (joined.empty() ? TEXT("") : TEXT(" ")) + code;
    EXPECT_EQ(TempFolder::ReadBytes(SchemePath(TEXT("boxes"))), SchemeBytes(joined));
    // The save loads the scheme again: the same steps, each line rebuilt from its code.
    EXPECT_EQ(Codes(), codes);
    EXPECT_EQ(ListLines(), reloaded);
}

// A text that means no number is refused with a message that names the box and says what is
// wrong; the box gets the focus with its text selected, and nothing is added.
TEST_F(MainFormTest, ABoxTextThatIsNoNumberIsRefusedWithTheBoxNamed) {
    Open();
    struct {
        int button;
        int box;
        const WCHAR* text;
        const WCHAR* message;
    } const kCases[] = {
        {kAddDelayButton, kDelayBox, TEXT("5 0"), TEXT("延迟框里的“5 0”：数字中间不能有空格")},
        {kAddDelayButton, kDelayBox, TEXT("50ms"),
         TEXT("延迟框里的“50ms”：只能填写毫秒数（整数），或“50~80”这样的范围")},
        {kAddMoveButton, kMoveXBox, TEXT("3 4"), TEXT("移动X框里的“3 4”：数字中间不能有空格")},
        {kAddMoveButton, kMoveYBox, TEXT("4~5"), TEXT("移动Y框里的“4~5”：只能填写整数")},
        {kAddCoordButton, kCoordYBox, TEXT("99999999999"),
         TEXT("坐标Y框里的“99999999999”：数字超出范围（-2147483648 到 2147483647）")},
    };
    for (const auto& c : kCases) {
        SetText(kDelayBox, TEXT("50"));
        SetText(kMoveXBox, TEXT("1"));
        SetText(kMoveYBox, TEXT("2"));
        SetText(kCoordXBox, TEXT("3"));
        SetText(kCoordYBox, TEXT("4"));
        SetText(c.box, c.text);
        SetFocus(Hwnd(kKeyBox));
        ModalScript script;
        script.Message(kNotice, IDOK).Start();
        ClickAt(Hwnd(c.button));
        ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }))
            << "no message for " << Narrow(c.text);
        ASSERT_FALSE(script.Failed()) << script.Failure();
        EXPECT_EQ(script.MessageTexts(), Lines{c.message});
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Hwnd(c.box); })) << Narrow(c.text);
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(Hwnd(c.box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(Caption(c.box).size()));
    }
    EXPECT_EQ(StepList.GetCount(), 0);
    EXPECT_TRUE(ListLines().empty());
}

TEST_F(MainFormTest, NegativeCoordinateIsRefusedWithTheBoxAtFaultSelected) {
    Open();
    struct {
        const WCHAR* x;
        const WCHAR* y;
        int at_fault;
    } const kCases[] = {{TEXT("-5"), TEXT("3"), kCoordXBox}, {TEXT("5"), TEXT("-1"), kCoordYBox}};
    for (const auto& c : kCases) {
        SetText(kCoordXBox, c.x);
        SetText(kCoordYBox, c.y);
        SetFocus(Hwnd(kDelayBox));
        ModalScript script;
        script.Message(kNotice, IDOK).Start();
        ClickAt(Hwnd(kAddCoordButton));
        ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }))
            << "no message";
        ASSERT_FALSE(script.Failed()) << script.Failure();
        PumpUntil([&] { return GetFocus() == Hwnd(c.at_fault); });
        EXPECT_EQ(script.MessageTexts(), Lines{TEXT("坐标位置不可小于0")});
        EXPECT_EQ(GetFocus(), Hwnd(c.at_fault)) << Narrow(c.x) << " " << Narrow(c.y);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(Hwnd(c.at_fault), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(Caption(c.at_fault).size()));
    }
    EXPECT_EQ(StepList.GetCount(), 0);
    EXPECT_TRUE(ListLines().empty());
}

TEST_F(MainFormTest, CountGuardKeepsTheCountAtLeastOne) {
    Open();
    struct {
        BYTE key;
        const WCHAR* result;
    } const kCases[] = {{'0', TEXT("1")}, {'7', TEXT("7")}, {VK_BACK, TEXT("1")}};
    for (const auto& c : kCases) {
        SetFocus(Hwnd(kCountBox));
        SendMessageW(Hwnd(kCountBox), EM_SETSEL, 0, -1);
        Press(c.key);
        EXPECT_TRUE(PumpUntil([&] { return Caption(kCountBox) == c.result; }))
            << "reads " << Narrow(Caption(kCountBox)) << ", expected " << Narrow(c.result);
    }
}

TEST_F(MainFormTest, MenuAndKeysMoveAndDeleteTheSelectedStep) {
    Open();
    AddDelays({TEXT("1"), TEXT("2"), TEXT("3")});
    auto by_menu = [&](UINT id, int position) {
        PopupMenuAnswer answer(id, position);
        ClickAt(Hwnd(kStepListBox), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(PumpUntil([&] { return answer.Seen(); })) << "no menu for " << id;
        PumpFor(100);
    };
    auto by_key = [&](BYTE key) {
        SetFocus(Hwnd(kStepListBox));
        Press(key);
        PumpFor(150);
    };
    // The right click does not select: the line picked before stays picked.
    Select(2);
    by_menu(rg_lch_jxt::kStepMenuDown, 1); // the last line cannot go down
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D2"), TEXT("D3")}));
    EXPECT_EQ(Selected(), 2);
    by_menu(rg_lch_jxt::kStepMenuUp, 0); // up, and the highlight stays on the last line
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D3"), TEXT("D2")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("延迟1"), TEXT("延迟3"), TEXT("延迟2")}));
    EXPECT_EQ(Selected(), 2);
    by_key(VK_OEM_MINUS); // up, and the moved step stays selected
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D2"), TEXT("D3")}));
    EXPECT_EQ(Selected(), 1);
    by_key(VK_ADD); // down, and the moved step stays selected
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D3"), TEXT("D2")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("延迟1"), TEXT("延迟3"), TEXT("延迟2")}));
    EXPECT_EQ(Selected(), 2);
    by_key(VK_DELETE); // the last line: the new last line is selected
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D3")}));
    EXPECT_EQ(Selected(), 1);
    Select(0);
    by_key(VK_DELETE); // a middle line: the line now at its place is selected
    EXPECT_EQ(Codes(), Lines{TEXT("D3")});
    EXPECT_EQ(ListLines(), Lines{TEXT("延迟3")});
    EXPECT_EQ(Selected(), 0);
    by_menu(rg_lch_jxt::kStepMenuDelete, 2); // by the menu: nothing selected afterwards
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ(Selected(), -1);
}

TEST_F(MainFormTest, DeleteOnTheOnlyLineEmptiesTheList) {
    Open();
    AddDelays({TEXT("1")});
    Select(0);
    SetFocus(Hwnd(kStepListBox));
    Press(VK_DELETE);
    EXPECT_TRUE(PumpUntil([] { return StepList.GetCount() == 0; }));
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ(Selected(), -1);
}

TEST_F(MainFormTest, WithoutASelectedLineNeitherMenuNorKeysAct) {
    Open();
    AddDelays({TEXT("1"), TEXT("2")});
    PopupMenuAnswer answer(0, 0);
    ClickAt(Hwnd(kStepListBox), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpFor(300);
    EXPECT_FALSE(answer.Seen());
    SetFocus(Hwnd(kStepListBox));
    Select(-1);
    Press(VK_DELETE);
    Press(VK_OEM_MINUS);
    PumpFor(200);
    EXPECT_EQ(Codes(), (Lines{TEXT("D1"), TEXT("D2")}));
}

TEST_F(MainFormTest, ADelayRangeTypedIntoTheDelayBoxIsAddedAsTyped) {
    Open();
    HWND box = Hwnd(kDelayBox);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    // Typed as characters reach the box, through its input filter.
    for (WCHAR c : WString(TEXT("50~80")))
        SendMessageW(box, WM_CHAR, c, 1);
    ASSERT_EQ(Caption(kDelayBox), TEXT("50~80")) << "the box refused the range";
    ASSERT_TRUE(AddBy(kAddDelayButton, 1));
    EXPECT_EQ(Codes(), Lines{TEXT("D50~80")});
    EXPECT_EQ(ListLines(), Lines{TEXT("延迟50~80")});
}

} // namespace
} // namespace main_form_test
