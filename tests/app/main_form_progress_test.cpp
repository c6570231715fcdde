// The Pause hint label while a replay runs: the pass under way and the key that stops the run,
// refreshed by the clock, and the label's own text again when the run ends or is stopped.
#include "tests/app/main_form_fixture.h"

namespace main_form_test {
namespace {

constexpr const WCHAR* kPauseHint = TEXT("按Pause捕获当前坐标");

WString Progress(int pass, int count, const WCHAR* key) {
    return TEXT("第") + Wide(std::to_string(pass)) + TEXT("/") + Wide(std::to_string(count)) +
           TEXT("遍，按") + key + TEXT("停止");
}

TEST_F(MainFormTest, TheHintLabelShowsThePassesOfARunAndThenItsOwnText) {
    Open();
    EXPECT_EQ(Caption(kPauseHintLabel), kPauseHint);
    SetText(kCountBox, TEXT("3"));
    AddDelays({TEXT("300")});
    // Every text the label shows, each once, in the order shown.
    Lines shown = {Caption(kPauseHintLabel)};
    Press(VK_F1);
    auto watch = [&] {
        WString now = Caption(kPauseHintLabel);
        if (shown.back() != now)
            shown.push_back(now);
    };
    ASSERT_TRUE(PumpUntil([&] {
        watch();
        return shown.back() == Progress(1, 3, TEXT("F1"));
    })) << "no progress shown";
    ASSERT_TRUE(PumpUntil(
        [&] {
            watch();
            return !IsReplayRunning() && shown.back() == kPauseHint;
        },
        10000))
        << "the label did not get its own text back";
    // From the first pass to the last, never back; the clock may miss no pass of 300 ms.
    Lines expected = {kPauseHint, Progress(1, 3, TEXT("F1")), Progress(2, 3, TEXT("F1")),
                      Progress(3, 3, TEXT("F1")), kPauseHint};
    EXPECT_EQ(shown, expected);
}

TEST_F(MainFormTest, TheHintNamesTheTriggerKeyAndComesBackWhenTheRunIsStopped) {
    Open();
    Pick(kTriggerBox, 4);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F5; }));
    SetText(kCountBox, TEXT("13"));
    AddDelays({TEXT("60000")});
    Press(VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == Progress(1, 13, TEXT("F5")); }))
        << "shows " << Narrow(Caption(kPauseHintLabel));
    Press(VK_F5);
    ASSERT_TRUE(PumpUntil([] { return !IsReplayRunning(); }));
    EXPECT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == kPauseHint; }))
        << "shows " << Narrow(Caption(kPauseHintLabel));
}

TEST_F(MainFormTest, ARunWithoutPassesLeavesTheHintAlone) {
    Open();
    SetText(kCountBox, TEXT("0"));
    AddDelays({TEXT("100")});
    Press(VK_F1);
    PumpFor(300);
    EXPECT_EQ(Caption(kPauseHintLabel), kPauseHint);
}

} // namespace
} // namespace main_form_test
