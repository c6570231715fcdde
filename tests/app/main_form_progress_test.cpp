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

// The label, in the parent's client coordinates.
RECT PlaceIn(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG TextWidth(HWND window, const WString& text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

// The text is right-aligned: a label narrower than "第1234/999999遍，按F12停止" would cut off
// its start, the pass under way. It grows to the right, where its row is free, while the run
// lasts, and gets its own place back afterwards.
TEST_F(MainFormTest, ALongProgressTextGetsRoomAndTheLabelItsPlaceBack) {
    Open();
    HWND form = window_->GetSafeHwnd();
    HWND label = Hwnd(kPauseHintLabel);
    const RECT designed = PlaceIn(form, label);
    ASSERT_EQ(designed.right - designed.left, 120);
    Pick(kTriggerBox, 11);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F12; }));
    SetText(kCountBox, TEXT("999999"));
    AddDelays({TEXT("60000")});
    Press(VK_F12);
    const WString progress = Progress(1, 999999, TEXT("F12"));
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == progress; }))
        << "shows " << Narrow(Caption(kPauseHintLabel));
    ASSERT_GT(TextWidth(label, progress), 120) << "the case needs a text wider than the label";
    RECT grown = PlaceIn(form, label);
    EXPECT_EQ(grown.left, designed.left);
    EXPECT_EQ(grown.top, designed.top);
    EXPECT_EQ(grown.bottom, designed.bottom);
    EXPECT_GE(grown.right - grown.left, TextWidth(label, progress));
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_LE(grown.right, client.right - 15) << "into the buttons' margin";
    // Nothing else lies in the room it took.
    for (int n = 1; n <= kMainControlCount; ++n) {
        if (n == kPauseHintLabel)
            continue;
        RECT other = PlaceIn(form, Hwnd(n));
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &grown, &other)) << "covers control " << n;
    }
    Press(VK_F12);
    ASSERT_TRUE(PumpUntil([] { return !IsReplayRunning(); }));
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == kPauseHint; }));
    RECT back = PlaceIn(form, label);
    EXPECT_EQ(back.left, designed.left);
    EXPECT_EQ(back.right, designed.right);
    EXPECT_EQ(back.top, designed.top);
    EXPECT_EQ(back.bottom, designed.bottom);
}

// A recording started before the clock's next tick after a run's end takes the label over
// from the progress text: the label goes back to its place then, not at the next run.
TEST_F(MainFormTest, ARecordingStartedRightAfterARunGivesTheLabelItsPlaceBack) {
    Open();
    HWND form = window_->GetSafeHwnd();
    HWND label = Hwnd(kPauseHintLabel);
    const RECT designed = PlaceIn(form, label);
    Pick(kTriggerBox, 11);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F12; }));
    SetText(kCountBox, TEXT("999999"));
    AddDelays({TEXT("60000")});
    Press(VK_F12);
    ASSERT_TRUE(
        PumpUntil([&] { return Caption(kPauseHintLabel) == Progress(1, 999999, TEXT("F12")); }));
    ASSERT_GT(PlaceIn(form, label).right, designed.right) << "the case needs a widened label";
    // The stop and the recording's start in one go, both handled before the clock ticks.
    Press(VK_F12);
    Press(VK_SCROLL);
    ASSERT_TRUE(PumpUntil([&] { return window_->IsRecording(); }));
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == rg_wdzhchk::kRecordingText; }));
    EXPECT_EQ(PlaceIn(form, label).right, designed.right) << "still wide while recording";
    Press(VK_SCROLL);
    ASSERT_TRUE(PumpUntil([&] { return !window_->IsRecording(); }));
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPauseHintLabel) == kPauseHint; }));
    PumpFor(250); // two clock ticks: nothing puts it right later either
    const RECT after = PlaceIn(form, label);
    EXPECT_EQ(after.left, designed.left);
    EXPECT_EQ(after.right, designed.right);
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
