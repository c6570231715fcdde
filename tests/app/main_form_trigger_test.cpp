// The trigger key, the Pause capture and the position display on the main window, and closing
// it during a replay.
#include "tests/app/main_form_fixture.h"

namespace main_form_test {
namespace {

TEST_F(MainFormTest, TriggerKeyStartsAndStopsTheReplay) {
    Open();
    AddDelays({TEXT("60000")});
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); })) << "F1 did not start";
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "F1 did not stop";

    Pick(kTriggerBox, 4);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F5; }));
    Press(VK_F1);
    PumpFor(300);
    EXPECT_FALSE(IsReplayRunning()) << "F1 started after F5 was chosen";
    Press(VK_F5);
    EXPECT_TRUE(PumpUntil([] { return IsReplayRunning(); })) << "F5 did not start";
    Press(VK_F5);
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "F5 did not stop";
}

TEST_F(MainFormTest, TriggerReleasedWithAltDoesNothing) {
    Open();
    AddDelays({TEXT("60000")});
    Key(VK_MENU, 0);
    Key(VK_F1, 0);
    Key(VK_F1, KEYEVENTF_KEYUP);
    Key(VK_MENU, KEYEVENTF_KEYUP);
    PumpFor(300);
    EXPECT_FALSE(IsReplayRunning());
}

// F10 is a system key: its release reaches the hook as WM_SYSKEYUP, with the Alt flag only
// when Alt is held. The hook procedure is called here as the system calls it (the hook test
// shows the system's own F10 on both backends), since a real F10 in the window would open its
// system menu under Wine and hold the test in the menu's loop.
TEST_F(MainFormTest, F10CanBeTheTriggerUnlessAltIsHeld) {
    Open();
    AddDelays({TEXT("60000")});
    Pick(kTriggerBox, 9);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F10; }));
    auto release = [](DWORD flags) {
        KBDLLHOOKSTRUCT record{};
        record.vkCode = VK_F10;
        record.scanCode = MapVirtualKeyW(VK_F10, MAPVK_VK_TO_VSC);
        record.flags = LLKHF_UP | flags;
        record.time = GetTickCount();
        rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_SYSKEYUP,
                                                             reinterpret_cast<LPARAM>(&record));
    };
    release(LLKHF_ALTDOWN);
    EXPECT_FALSE(IsReplayRunning()) << "F10 released with Alt held started";
    release(0);
    EXPECT_TRUE(IsReplayRunning()) << "F10 did not start";
    release(LLKHF_ALTDOWN);
    EXPECT_TRUE(IsReplayRunning()) << "F10 released with Alt held stopped";
    release(0);
    EXPECT_FALSE(IsReplayRunning()) << "F10 did not stop";
}

// Auto-repeat: a held key sends key-downs over and over and one key-up at the end.
TEST_F(MainFormTest, HoldingTheTriggerStartsNothingUntilItsRelease) {
    Open();
    AddDelays({TEXT("60000")});
    for (int i = 0; i < 5; ++i)
        Key(VK_F1, 0);
    PumpFor(300);
    EXPECT_FALSE(IsReplayRunning()) << "the held trigger started";
    Key(VK_F1, KEYEVENTF_KEYUP);
    EXPECT_TRUE(PumpUntil([] { return IsReplayRunning(); })) << "its release did not start";
    for (int i = 0; i < 5; ++i)
        Key(VK_F1, 0);
    PumpFor(300);
    EXPECT_TRUE(IsReplayRunning()) << "the held trigger stopped";
    Key(VK_F1, KEYEVENTF_KEYUP);
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "its release did not stop";
}

// The trigger key in the key box: the box records it (F1 has no name of its own, so the box
// is emptied), and its release still toggles the replay.
TEST_F(MainFormTest, TheTriggerTypedIntoTheKeyBoxEmptiesItAndTogglesTheReplay) {
    Open();
    AddDelays({TEXT("60000")});
    SetFocus(Hwnd(kKeyBox));
    Press('A');
    ASSERT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == TEXT("A"); }));
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([&] { return Caption(kKeyBox).empty() && IsReplayRunning(); }))
        << "the key box reads " << Narrow(Caption(kKeyBox)) << ", running " << IsReplayRunning();
    EXPECT_EQ(GetFocus(), Hwnd(kKeyBox));
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "the second release did not stop";
    ClickAt(Hwnd(kAddKeyButton));
    PumpFor(200);
    EXPECT_EQ(Codes(), Lines{TEXT("D60000")}) << "the emptied box added a key";
}

// The run's own input is never the trigger: a scheme may type the trigger key, and the run
// does all its passes.
TEST_F(MainFormTest, ASchemeThatTypesTheTriggerKeyDoesNotStopItself) {
    WriteScheme(TEXT("t"), TEXT("A124 A112 A125")); // F13, F1 (the trigger), F14
    Open();
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 3; }));
    SetText(kCountBox, TEXT("3"));
    static int f14 = 0;
    f14 = 0;
    rg_lch_qmmk::rg_qm_zb anchor; // any object: the binding's target
    auto* target = new CRixObjectPointer(&anchor);
    window_->Hook().KeyPressed().Bind(
        [](CRixObject*, CRixObject*, int32_t, int64_t key, int64_t, int64_t) -> int64_t {
            if (key == 0x7D)
                ++f14;
            return 0;
        },
        target);
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); }, 10000));
    PumpFor(100);
    EXPECT_EQ(f14, 3) << "the run did not do its three passes";
    window_->Hook().KeyPressed().Bind(nullptr, nullptr);
    target->DetachOwner();
}

// A run that holds Alt, with a "+" step, a shortcut's hold or the left Alt's own code: the
// trigger's release goes up as a system key then, and still stops the run, which lets Alt go.
TEST_F(MainFormTest, TheTriggerStopsARunThatHoldsAlt) {
    Open();
    for (const WCHAR* steps : {TEXT("A18+ D-1"), TEXT("A16508@60000"), TEXT("A164+ D-1"),
                               TEXT("A18+ D60000 A18- D60000")}) {
        StepList.LoadFromText(steps);
        Press(VK_F1);
        ASSERT_TRUE(PumpUntil([] { return IsReplayRunning() && GetAsyncKeyState(VK_MENU) < 0; }))
            << "the run did not hold Alt: " << Narrow(WString(steps));
        Press(VK_F1);
        EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); }))
            << "the trigger did not stop " << Narrow(WString(steps));
        StopReplay();
        ASSERT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }));
        PumpFor(20);
        EXPECT_GE(GetAsyncKeyState(VK_MENU), 0) << "Alt left down by " << Narrow(WString(steps));
    }
}

// With the user's own Alt held as well, the trigger's release is part of an Alt shortcut; once
// the user lets go of Alt, it stops the run again.
TEST_F(MainFormTest, TheUsersAltKeepsTheTriggerFromStoppingARunThatHoldsAlt) {
    Open();
    StepList.LoadFromText(TEXT("A18+ D-1"));
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning() && GetAsyncKeyState(VK_MENU) < 0; }));
    Key(VK_MENU, 0);
    Press(VK_F1);
    PumpFor(300);
    EXPECT_TRUE(IsReplayRunning()) << "Alt+F1 of the user stopped the run";
    Key(VK_MENU, KEYEVENTF_KEYUP);
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "F1 did not stop";
}

TEST_F(MainFormTest, AStopDuringAHoldOfTheTriggerKeyDoesNotStartAgain) {
    WriteScheme(TEXT("t"), TEXT("A112 D60000"));
    Open();
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 2; }));

    static int presses = 0;
    static bool armed = false;
    presses = 0;
    armed = false;
    rg_lch_qmmk::rg_qm_zb anchor; // any object: the binding's target
    auto* target = new CRixObjectPointer(&anchor);
    window_->Hook().KeyPressed().Bind(
        [](CRixObject*, CRixObject*, int32_t, int64_t key, int64_t, int64_t) -> int64_t {
            // Only the replay's own press of F1 counts, not the user's that starts it.
            if (key != VK_F1 || !armed || !IsReplayRunning())
                return 0;
            if (++presses == 1)
                Key(VK_F1, KEYEVENTF_KEYUP); // the user lets go of F1 while the replay holds it
            return 0;
        },
        target);
    // Armed before the run starts: the worker may press F1 before a pump that sees the run
    // started has returned.
    armed = true;
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return presses >= 1 && !IsReplayRunning(); }));
    PumpFor(500);
    EXPECT_FALSE(IsReplayRunning()) << "the stop's release started the scheme again";
    EXPECT_EQ(presses, 1) << "the scheme ran again";
    window_->Hook().KeyPressed().Bind(nullptr, nullptr);
    target->DetachOwner();
}

TEST_F(MainFormTest, PauseCopiesThePositionOfTheLastTick) {
    Open();
    SetCursorPos(100, 200);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPositionLabel) == TEXT("100，200"); }))
        << "the position label reads " << Narrow(Caption(kPositionLabel));
    EXPECT_EQ(window_->GetCurrentPoint().m_nX, 100);
    EXPECT_EQ(window_->GetCurrentPoint().m_nY, 200);
    Press(VK_PAUSE);
    EXPECT_TRUE(PumpUntil([&] { return Caption(kCoordYBox) == TEXT("200"); }));
    EXPECT_EQ(Caption(kCoordXBox), WString(TEXT("100")));
}

// A replayed Pause key passes the hook like the user's and copies the position of the last
// tick.
TEST_F(MainFormTest, AReplayedPauseStepRefreshesTheCoordinateBoxes) {
    WriteScheme(TEXT("p"), TEXT("A19"));
    Open();
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 1; }));
    SetCursorPos(120, 210);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPositionLabel) == TEXT("120，210"); }));
    ASSERT_TRUE(Caption(kCoordXBox).empty());
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([&] { return Caption(kCoordYBox) == TEXT("210"); }))
        << "the Y box reads " << Narrow(Caption(kCoordYBox));
    EXPECT_EQ(Caption(kCoordXBox), WString(TEXT("120")));
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); }));
}

TEST_F(MainFormTest, ClosingDuringAReplayStopsItAndWaitsForTheWorker) {
    Open();
    AddDelays({TEXT("60000")});
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
    DestroyWindow(hwnd_);
    EXPECT_FALSE(IsReplayRunning());
    EXPECT_TRUE(WaitForReplayWorker(0)) << "the worker outlived the window";
}

// The loop goes on handling messages, and hook calls, between the window's end and WM_QUIT: a
// trigger released then must not start a run that nobody would stop or wait for.
TEST_F(MainFormTest, ATriggerReleasedAfterTheWindowIsDestroyedStartsNothing) {
    Open();
    AddDelays({TEXT("60000")});
    DestroyWindow(hwnd_);
    Press(VK_F1);
    PumpFor(300);
    EXPECT_FALSE(IsReplayRunning()) << "a run started after the window was destroyed";
    EXPECT_TRUE(WaitForReplayWorker(0));
}

} // namespace
} // namespace main_form_test
