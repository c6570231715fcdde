// Recording on the main window: Scroll Lock starts and stops it, the hint label tells, the
// trigger key starts no replay meanwhile, recorded steps are appended to the current ones,
// line by line, as the add buttons append theirs, and input to the program's own windows is
// not recorded.
//
// Scroll Lock and the trigger are injected with keybd_event, which the window obeys as it does
// a user's keys. The recorder ignores injected input, so the keys and clicks recorded here are
// the simulation's device input, or records handed to the hook procedure as the system hands
// them; under Wine, which has no device input for a test program, tests/e2e/recorder.sh types
// and drags with xdotool. What is recorded goes to a window of "another program": in the
// simulation a window that answers another process id (sim::SetWindowProcess).
#include <regex>
#include <thread>

#include "app/steps/step_text.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/utf8_text.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_testing.h"
#endif

namespace main_form_test {
namespace {

constexpr const WCHAR* kPauseHint = TEXT("按Pause捕获当前坐标");
constexpr const WCHAR* kRecordingHint = TEXT("录制中，按ScrLk结束");

class MainFormRecordingTest : public MainFormTest {
protected:
    // Scroll Lock, then waits until the window is (or is no longer) recording and says so.
    ::testing::AssertionResult ToggleRecording(bool recording) {
        Press(VK_SCROLL);
        const WCHAR* hint = recording ? kRecordingHint : kPauseHint;
        if (!PumpUntil([&] {
                return window_->IsRecording() == recording && Caption(kPauseHintLabel) == hint;
            }))
            return ::testing::AssertionFailure()
                   << "recording " << window_->IsRecording() << ", the label reads "
                   << Utf8(Caption(kPauseHintLabel).c_str());
        return ::testing::AssertionSuccess();
    }

    void TearDown() override {
        if (foreign_ != nullptr)
            DestroyWindow(foreign_);
        foreign_ = nullptr;
        MainFormTest::TearDown();
    }

    // The hook procedure called as the system calls it for a key or a button that no program
    // injected.
    static void HookKey(WPARAM message, DWORD vk) {
        KBDLLHOOKSTRUCT record{};
        record.vkCode = vk;
        record.scanCode = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        record.flags = message == WM_KEYUP ? LLKHF_UP : 0;
        record.time = GetTickCount();
        rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n::HookProcedure(HC_ACTION, message,
                                                             reinterpret_cast<LPARAM>(&record));
    }
    static void HookButton(WPARAM message, POINT point) {
        MSLLHOOKSTRUCT record{};
        record.pt = point;
        record.time = GetTickCount();
        rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n::HookProcedure(HC_ACTION, message,
                                                             reinterpret_cast<LPARAM>(&record));
    }

#if defined(KEYSEQ_PLATFORM_SIM)
    // A window of another program beside ours, in front: where the recorded input goes.
    void OpenForeignWindow() {
        RECT ours{};
        GetWindowRect(hwnd_, &ours);
        foreign_ = CreateWindowExW(0, TEXT("STATIC"), TEXT("other"), WS_POPUP | WS_VISIBLE,
                                   ours.right + 20, ours.top, 300, 300, nullptr, nullptr, nullptr,
                                   nullptr);
        ASSERT_NE(foreign_, nullptr);
        sim::SetWindowProcess(foreign_, GetCurrentProcessId() + 1);
        SetForegroundWindow(foreign_);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == foreign_; }));
    }
    // A point of the foreign window, from its top left corner.
    POINT Foreign(int dx, int dy) {
        RECT r{};
        GetWindowRect(foreign_, &r);
        return {r.left + dx, r.top + dy};
    }
#endif

    HWND foreign_ = nullptr;
};

// The codes as one text "c1 c2 ...", to match against a pattern.
std::string Joined(const Lines& codes) {
    std::string out;
    for (const WString& code : codes)
        out += (out.empty() ? "" : " ") + Utf8(code.c_str());
    return out;
}

TEST_F(MainFormRecordingTest, ScrollLockStartsAndStopsARecordingAndTheLabelTells) {
    Open();
    EXPECT_EQ(Caption(kPauseHintLabel), kPauseHint);
    ASSERT_TRUE(ToggleRecording(true));
    ASSERT_TRUE(ToggleRecording(false));
    // Again, and the other keys toggle nothing.
    Press(0x7C); // F13
    ASSERT_TRUE(ToggleRecording(true));
    Press(VK_PAUSE);
    PumpFor(100);
    EXPECT_TRUE(window_->IsRecording());
    EXPECT_EQ(Caption(kPauseHintLabel), kRecordingHint);
    ASSERT_TRUE(ToggleRecording(false));
}

// A Scroll Lock press and release that no program injected, with one time stamp, are the
// system lining up its lock state (Wine sends such a pair before the next key after a real
// Scroll Lock on a display that keeps no Scroll Lock state): they neither stop nor start a
// recording. A hand's press, longer than a time-stamp step, and an injected pair still toggle.
// The hook procedure is called as the system calls it, since a test program cannot make input
// that is not injected under Wine.
TEST_F(MainFormRecordingTest, TheSystemsOwnLockKeyPairTogglesNothing) {
    Open();
    auto key = [](WPARAM message, DWORD time, DWORD flags) {
        KBDLLHOOKSTRUCT record{};
        record.vkCode = VK_SCROLL;
        record.scanCode = 0x46;
        record.flags = flags | (message == WM_KEYUP ? LLKHF_UP : 0);
        record.time = time;
        rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n::HookProcedure(HC_ACTION, message,
                                                             reinterpret_cast<LPARAM>(&record));
    };
    const DWORD t = GetTickCount();
    struct Case {
        const char* what;
        DWORD held; // milliseconds between the time stamps of press and release
        DWORD flags;
        bool toggles;
    };
    const Case cases[] = {
        {"the system's pair", 0, 0, false},
        {"a hand's press", 40, 0, true},
        {"a press as short as one time-stamp step", 16, 0, true},
        {"an injected pair", 0, LLKHF_INJECTED, true},
    };
    for (bool recording : {false, true}) {
        for (const Case& c : cases) {
            ASSERT_EQ(window_->IsRecording(), recording);
            key(WM_KEYDOWN, t, c.flags);
            key(WM_KEYUP, t + c.held, c.flags);
            EXPECT_EQ(window_->IsRecording(), c.toggles ? !recording : recording)
                << c.what << (recording ? ", while recording" : ", not recording");
            if (window_->IsRecording() != recording) {
                // Back to where the case started, with a hand's press.
                key(WM_KEYDOWN, t, 0);
                key(WM_KEYUP, t + 100, 0);
            }
        }
        if (!recording) {
            ASSERT_TRUE(ToggleRecording(true));
        }
    }
    ASSERT_TRUE(ToggleRecording(false));
}

TEST_F(MainFormRecordingTest, TheTriggerStartsNoReplayDuringARecording) {
    Open();
    AddDelays({TEXT("60000")});
    ASSERT_TRUE(ToggleRecording(true));
    Press(VK_F1);
    PumpFor(300);
    EXPECT_FALSE(IsReplayRunning()) << "F1 started a replay while recording";
    ASSERT_TRUE(ToggleRecording(false));
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return IsReplayRunning(); })) << "F1 no longer starts";
    // While a replay runs, Scroll Lock starts no recording.
    Press(VK_SCROLL);
    PumpFor(300);
    EXPECT_FALSE(window_->IsRecording());
    // The label shows the run's pass, not the recording's text.
    EXPECT_EQ(Caption(kPauseHintLabel), WString(TEXT("第1/1遍，按F1停止")));
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); }));
}

TEST_F(MainFormRecordingTest, InjectedInputIsNotRecorded) {
    Open();
    AddDelays({TEXT("50")});
    ASSERT_TRUE(ToggleRecording(true));
    Press('A');
    Key(VK_SHIFT, 0);
    Press('B');
    Key(VK_SHIFT, KEYEVENTF_KEYUP);
    ClickAt(Hwnd(kStepListBox));
    PumpFor(100);
    ASSERT_TRUE(ToggleRecording(false));
    PumpFor(100);
    EXPECT_EQ(Codes(), (Lines{TEXT("D50")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("延迟50")}));
}

// A click on our own button and keys typed while our window is in front are not recorded; a
// click where no window of ours is, is.
TEST_F(MainFormRecordingTest, InputToTheProgramsOwnWindowsIsNotRecorded) {
    Open();
    ASSERT_TRUE(ToggleRecording(true));
    ASSERT_EQ(GetForegroundWindow(), hwnd_);
    POINT save = Middle(Hwnd(kSaveButton));
    HookButton(WM_LBUTTONDOWN, save);
    HookButton(WM_LBUTTONUP, save);
    for (DWORD vk : {DWORD{'N'}, DWORD{'A'}, DWORD{VK_RETURN}}) {
        HookKey(WM_KEYDOWN, vk);
        HookKey(WM_KEYUP, vk);
    }
    PumpFor(100);
    EXPECT_EQ(Codes(), Lines{});

    RECT ours{};
    GetWindowRect(hwnd_, &ours);
    POINT outside{ours.right + 40, ours.top + 10};
    ASSERT_FALSE(IsOwnWindow(WindowFromPoint(outside))) << "no point outside our windows";
    HookButton(WM_LBUTTONDOWN, outside);
    HookButton(WM_LBUTTONUP, outside);
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 2; }));
    ASSERT_TRUE(ToggleRecording(false));
    std::string pattern =
        "E" + std::to_string(outside.x) + "@" + std::to_string(outside.y) + " B1@[0-9]+";
    EXPECT_TRUE(std::regex_match(Joined(Codes()), std::regex(pattern)))
        << Joined(Codes()) << " does not match " << pattern;
}

#if defined(KEYSEQ_PLATFORM_SIM)

// Keys go where the foreground window is: ours, not recorded; another program's, recorded.
TEST_F(MainFormRecordingTest, KeysAreRecordedByTheWindowInFront) {
    Open();
    ASSERT_TRUE(ToggleRecording(true));
    HookKey(WM_KEYDOWN, 'A');
    HookKey(WM_KEYUP, 'A');
    ASSERT_NO_FATAL_FAILURE(OpenForeignWindow());
    HookKey(WM_KEYDOWN, 'B');
    HookKey(WM_KEYUP, 'B');
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 1; }));
    SetForegroundWindow(hwnd_);
    HookKey(WM_KEYDOWN, 'C');
    HookKey(WM_KEYUP, 'C');
    PumpFor(50);
    ASSERT_TRUE(ToggleRecording(false));
    EXPECT_TRUE(std::regex_match(Joined(Codes()), std::regex("A66@[0-9]+"))) << Joined(Codes());
}

// The user's own way: during a recording into another program, a click on "保存本方案" and a
// name typed into its dialog, then back to the other program. The scheme saved holds what was
// recorded before, and the recording none of the click or the name's keys.
TEST_F(MainFormRecordingTest, SavingDuringARecordingRecordsNeitherTheClickNorTheName) {
    Open();
    ASSERT_NO_FATAL_FAILURE(OpenForeignWindow());
    ASSERT_TRUE(ToggleRecording(true));
    sim::PressKey('A');
    sim::ReleaseKey('A');
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 1; }));

    // Types the name into the dialog once it shows, as a user would; the dialog's modal loop
    // runs the hook calls on this thread meanwhile.
    std::thread typist([] {
        for (int i = 0; i < 500; ++i) {
            HWND dialog = FindWindowW(nullptr, kNameTitle);
            if (dialog != nullptr && IsWindowVisible(dialog))
                break;
            Sleep(10);
        }
        for (UINT vk : {UINT{'X'}, UINT{'Y'}, UINT{VK_RETURN}}) {
            sim::PressKey(vk);
            sim::ReleaseKey(vk);
        }
    });
    POINT save = Middle(Hwnd(kSaveButton));
    sim::MoveMouseTo(save.x, save.y);
    sim::PressButton(1);
    sim::ReleaseButton(1);
    bool saved = PumpUntil([&] { return ComboItems(kSchemeBox) == Lines{TEXT("xy")}; });
    typist.join();
    ASSERT_TRUE(saved) << "no scheme xy";

    SetForegroundWindow(foreign_);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == foreign_; }));
    sim::PressKey('B');
    sim::ReleaseKey('B');
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() >= 2; }));
    ASSERT_TRUE(ToggleRecording(false));
    EXPECT_TRUE(std::regex_match(Joined(Codes()), std::regex("A65@[0-9]+ (D[0-9]+ )?A66@[0-9]+")))
        << Joined(Codes());
    std::string file = TempFolder::ReadBytes(SchemePath(TEXT("xy")));
    WString text;
    for (size_t i = 2; i + 1 < file.size(); i += 2)
        text.push_back(static_cast<WCHAR>(static_cast<unsigned char>(file[i]) |
                                          static_cast<unsigned char>(file[i + 1]) << 8));
    EXPECT_TRUE(std::regex_match(Utf8(text.c_str()), std::regex("A65@[0-9]+")))
        << Utf8(text.c_str());
}

TEST_F(MainFormRecordingTest, RecordedStepsAreAppendedLineByLine) {
    Open();
    AddDelays({TEXT("50")});
    ASSERT_NO_FATAL_FAILURE(OpenForeignWindow());
    ASSERT_TRUE(ToggleRecording(true));
    sim::PressKey('A');
    Sleep(30);
    sim::ReleaseKey('A');
    // The tap shows before the recording ends.
    ASSERT_TRUE(PumpUntil([] { return StepList.GetCount() == 2; }));
    Sleep(40);
    POINT list = Middle(foreign_);
    sim::MoveMouseTo(list.x, list.y);
    sim::PressButton(1);
    sim::ReleaseButton(1);
    PumpFor(50);
    ASSERT_TRUE(ToggleRecording(false));

    Lines codes = Codes();
    std::string pattern = "D50 A65@[0-9]+ D[0-9]+ E" + std::to_string(list.x) + "@" +
                          std::to_string(list.y) + " B1@[0-9]+";
    EXPECT_TRUE(std::regex_match(Joined(codes), std::regex(pattern)))
        << Joined(codes) << " does not match " << pattern;
    // Each recorded line is the line of its code; the first is still the button's own.
    Lines lines = ListLines();
    ASSERT_EQ(lines.size(), codes.size());
    EXPECT_EQ(lines[0], TEXT("延迟50"));
    for (size_t i = 1; i < codes.size(); ++i)
        EXPECT_EQ(lines[i], StepDisplayText(CWString(codes[i].c_str())).GetText()) << i;
}

TEST_F(MainFormRecordingTest, WhatIsStillDownAtTheStopIsReleased) {
    Open();
    ASSERT_NO_FATAL_FAILURE(OpenForeignWindow());
    sim::MoveMouseTo(Foreign(10, 10).x, Foreign(10, 10).y);
    ASSERT_TRUE(ToggleRecording(true));
    sim::PressKey(VK_LSHIFT);
    sim::PressButton(2);
    PumpFor(20);
    ASSERT_TRUE(ToggleRecording(false));
    sim::ReleaseButton(2);
    sim::ReleaseKey(VK_LSHIFT);
    PumpFor(20);
    Lines codes = Codes();
    std::string pattern = "A16\\+ (D[0-9]+ )?E-?[0-9]+@-?[0-9]+ B2\\+ B2- A16-";
    EXPECT_TRUE(std::regex_match(Joined(codes), std::regex(pattern)))
        << Joined(codes) << " does not match " << pattern;
}

// What was recorded replays as it was done: the same keys and buttons down and up in the same
// order, the drag from its start to its end.
TEST_F(MainFormRecordingTest, ARecordingReplaysWhatWasDone) {
    Open();
    ASSERT_NO_FATAL_FAILURE(OpenForeignWindow());
    const POINT start = Foreign(30, 40);
    const POINT via = Foreign(60, 70);
    const POINT to = Foreign(90, 100);
    ASSERT_TRUE(ToggleRecording(true));
    sim::PressKey(VK_LSHIFT);
    sim::PressKey('A');
    sim::ReleaseKey('A');
    sim::ReleaseKey(VK_LSHIFT);
    sim::MoveMouseTo(start.x, start.y);
    sim::PressButton(1);
    Sleep(20);
    sim::MoveMouseTo(via.x, via.y);
    Sleep(20);
    sim::MoveMouseTo(to.x, to.y);
    sim::ReleaseButton(1);
    PumpFor(20);
    ASSERT_TRUE(ToggleRecording(false));
    ASSERT_GT(StepList.GetCount(), 0);

    size_t from = sim::InputLog().size();
    Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
    ASSERT_TRUE(PumpUntil([] { return !IsReplayRunning(); }, 10000));
    PumpFor(20);
    // The replay's own input, keys and buttons with the cursor where each happened.
    std::vector<std::string> done;
    std::vector<sim::InputRecord> log = sim::InputLog();
    for (size_t i = from; i < log.size(); ++i) {
        const sim::InputRecord& r = log[i];
        if (!r.injected || r.vk == VK_F1)
            continue;
        std::string at = " " + std::to_string(r.pt.x) + "," + std::to_string(r.pt.y);
        switch (r.kind) {
        case sim::InputKind::KeyDown:
            done.push_back("down " + std::to_string(r.vk));
            break;
        case sim::InputKind::KeyUp:
            done.push_back("up " + std::to_string(r.vk));
            break;
        case sim::InputKind::ButtonDown:
            done.push_back("button down" + at);
            break;
        case sim::InputKind::ButtonUp:
            done.push_back("button up" + at);
            break;
        default:
            break;
        }
    }
    auto at = [](POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); };
    EXPECT_EQ(done, (std::vector<std::string>{"down 16", "down 65", "up 65", "up 16",
                                              "button down " + at(start), "button up " + at(to)}))
        << Joined(Codes());
}

#else
// Declared with the fixture, as the host declares them, and skipped.
TEST_F(MainFormRecordingTest, KeysAreRecordedByTheWindowInFront) {
    GTEST_SKIP() << "needs a window of another program in front, which the simulation makes; "
                    "tests/e2e/recorder.sh types into another program under Wine";
}
TEST_F(MainFormRecordingTest, SavingDuringARecordingRecordsNeitherTheClickNorTheName) {
    GTEST_SKIP() << "needs input that is not injected, which only the simulation's test "
                    "interface makes; tests/e2e/recorder.sh saves during a recording under Wine";
}
TEST_F(MainFormRecordingTest, RecordedStepsAreAppendedLineByLine) {
    GTEST_SKIP() << "needs input that is not injected, which only the simulation's test "
                    "interface makes; tests/e2e/recorder.sh records with xdotool under Wine";
}
TEST_F(MainFormRecordingTest, ARecordingReplaysWhatWasDone) {
    GTEST_SKIP() << "needs input that is not injected, which only the simulation's test "
                    "interface makes; tests/e2e/recorder.sh records and replays under Wine";
}
TEST_F(MainFormRecordingTest, WhatIsStillDownAtTheStopIsReleased) {
    GTEST_SKIP() << "needs input that is not injected, which only the simulation's test "
                    "interface makes; the recorder's own tests cover the releases";
}
#endif

} // namespace
} // namespace main_form_test
