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

TEST_F(MainFormTest, ASchemeHoldingTheTriggerKeyStopsItself) {
    WriteScheme(TEXT("t"), TEXT("A112 D60000"));
    Open();
    Pick(kSchemeBox, 0);
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 2; }));
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "the run did not stop itself";
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

TEST_F(MainFormTest, ClosingDuringAReplayStopsItAndWaitsForTheWorker) {
    Open();
    AddDelays({TEXT("60000")});
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
    DestroyWindow(hwnd_);
    EXPECT_FALSE(IsReplayRunning());
    EXPECT_TRUE(WaitForReplayWorker(0)) << "the worker outlived the window";
}

} // namespace
} // namespace main_form_test
