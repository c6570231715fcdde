// The main window's hook watchdog, driven by its clock: hooks that the system removed (behind
// the hook object's back on both backends; on the host also by the time limit of a hook call
// that blocks) are installed again after a key goes unheard, and the trigger key then works
// again with the trigger state unchanged. Live hooks are not installed again.
#include "tests/app/main_form_fixture.h"
#include "tests/support/sim_only.h"

namespace main_form_test {
namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

constexpr DWORD kLimitMs = 100;
constexpr BYTE kF13 = 0x7C; // nothing reacts to it

// Pumps until the hook procedure's last event is older than the limit, so that a key typed
// from now on is newer than it by more than the limit.
bool LetTheLimitPass() {
    return PumpUntil(
        [] { return GetTickCount() - rg_qj_gzl__n::LastEventTick() > kLimitMs + kLimitMs / 2; });
}

class MainFormWatchdogTest : public MainFormTest {
protected:
    void OpenWithAReplayReady() {
        Open();
        window_->HookWatchdog().SetLimits(kLimitMs, 0);
        AddDelays({TEXT("60000")});
    }

    // With the hooks gone: a key typed more than the limit after the hook's last event goes
    // unheard, the clock's tick re-hooks, and the trigger key (F5, chosen before) starts and
    // stops the replay again.
    void ExpectTheTriggerToComeBack() {
        ASSERT_TRUE(LetTheLimitPass());
        EXPECT_EQ(window_->HookWatchdog().GetRehookCount(), 0u) << "re-hooked with no input";
        Press(VK_F5);
        ASSERT_TRUE(PumpUntil([&] { return window_->HookWatchdog().GetRehookCount() == 1; }))
            << "the clock's tick did not re-hook";
        EXPECT_FALSE(IsReplayRunning()) << "the lost hook heard the trigger key";
        EXPECT_TRUE(rg_qj_gzl__n::IsInstalled());
        EXPECT_EQ(window_->GetTriggerKey(), VK_F5);

        Press(VK_F5);
        EXPECT_TRUE(PumpUntil([] { return IsReplayRunning(); })) << "F5 did not start";
        Press(VK_F5);
        EXPECT_TRUE(PumpUntil([] { return !IsReplayRunning(); })) << "F5 did not stop";
        EXPECT_EQ(window_->HookWatchdog().GetRehookCount(), 1u);
    }
};

TEST_F(MainFormWatchdogTest, HooksRemovedBehindTheWindowsBackComeBack) {
    OpenWithAReplayReady();
    Pick(kTriggerBox, 4);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F5; }));
    ASSERT_TRUE(UnhookWindowsHookEx(rg_qj_gzl__n::KeyboardHook()));
    ASSERT_TRUE(UnhookWindowsHookEx(rg_qj_gzl__n::MouseHook()));
    ExpectTheTriggerToComeBack();
}

TEST_F(MainFormWatchdogTest, LiveHooksAreNotInstalledAgain) {
    OpenWithAReplayReady();
    // Typing over several ticks and several limits, then idle ticks.
    for (int i = 0; i < 8; ++i) {
        Press(kF13);
        PumpFor(kLimitMs / 2);
    }
    ASSERT_TRUE(LetTheLimitPass());
    PumpFor(2 * kLimitMs);
    EXPECT_EQ(window_->HookWatchdog().GetRehookCount(), 0u);
    // The hooks still work.
    Press(VK_F1);
    EXPECT_TRUE(PumpUntil([] { return IsReplayRunning(); }));
}

// Its own suite name, so that the Windows program can declare it as skipped.
using MainFormWatchdogTimeLimitTest = MainFormWatchdogTest;

#if defined(KEYSEQ_PLATFORM_SIM)
TEST_F(MainFormWatchdogTimeLimitTest, AHookDroppedForBlockingTooLongComesBack) {
    constexpr DWORD kHookLimitMs = 20;
    sim::SetLowLevelHookTimeout(kHookLimitMs);
    OpenWithAReplayReady();
    Pick(kTriggerBox, 4);
    ASSERT_TRUE(PumpUntil([&] { return window_->GetTriggerKey() == VK_F5; }));

    // A handler that blocks once, far past the time limit.
    static bool blocked = false;
    blocked = false;
    rg_lch_qmmk::rg_qm_zb anchor; // any object: the binding's target
    auto* target = new CRixObjectPointer(&anchor);
    window_->Hook().KeyPressed().Bind(
        [](CRixObject*, CRixObject*, int32_t, int64_t key, int64_t, int64_t) -> int64_t {
            if (key == kF13 && !blocked) {
                blocked = true;
                Sleep(10 * kHookLimitMs);
            }
            return 0;
        },
        target);
    HHOOK keyboard = rg_qj_gzl__n::KeyboardHook();
    // Only the press: its release, unheard so long after the hook's last event, would already
    // make the watchdog re-hook.
    Key(kF13, 0);
    ASSERT_TRUE(blocked);
    EXPECT_FALSE(UnhookWindowsHookEx(keyboard)) << "the blocking hook was not dropped";

    ExpectTheTriggerToComeBack();
    Key(kF13, KEYEVENTF_KEYUP);
    window_->Hook().KeyPressed().Bind(nullptr, nullptr);
    target->DetachOwner();
    sim::SetLowLevelHookTimeout(0);
}
#else
KEYSEQ_SIM_ONLY_TEST(MainFormWatchdogTimeLimitTest, AHookDroppedForBlockingTooLongComesBack,
                     "needs the simulation's settable hook time limit")
#endif

} // namespace
} // namespace main_form_test
