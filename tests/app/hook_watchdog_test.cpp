// The hook watchdog: its decision as a table of tick counts (the 32-bit wrap-around
// included), and on both backends with the hook object: hooks removed behind the object's
// back are installed again once input goes unheard, with the bindings kept; live hooks are
// left alone, whether input keeps coming or none comes.
#include <gtest/gtest.h>

#include <vector>

#include "app/input/global_hook.h"
#include "app/input/hook_watchdog.h"
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "tests/support/message_pump.h"

namespace {

using rg_lch_qmlt_ymk_lumeOak::CHookWatchdog;
using rg_lch_qmlt_ymk_lumeOak::HookLooksLost;
using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

TEST(HookLooksLostTest, Table) {
    static constexpr struct {
        const char* name;
        DWORD now, last_input, last_hook_event, limit, settle;
        bool lost;
    } kCases[] = {
        {"the hook saw the last input", 10000, 9000, 9000, 2000, 100, false},
        {"the hook saw it a little after it came", 10000, 9000, 9005, 2000, 100, false},
        {"idle: the hook's last event is newer than any input", 20000, 5000, 8000, 2000, 100,
         false},
        {"idle long after the last input the hook saw", 900000, 5000, 5000, 2000, 100, false},
        {"unheard input long after the hook's last event", 5200, 5000, 1000, 2000, 100, true},
        {"unheard input, but within the limit", 5200, 5000, 4000, 2000, 100, false},
        {"exactly the limit is not past it", 5200, 5000, 3000, 2000, 100, false},
        {"one past the limit", 5200, 5000, 2999, 2000, 100, true},
        {"unheard input too fresh: its hook call may still come", 5050, 5000, 1000, 2000, 100,
         false},
        {"unheard input just old enough", 5100, 5000, 1000, 2000, 100, true},
        {"no limit and no settling: any newer input", 5000, 5000, 4999, 0, 0, true},
        {"no limit and no settling, input seen", 5000, 5000, 5000, 0, 0, false},
        // The tick count wraps after 49.7 days.
        {"the wrap between the hook's event and the input", 0x00000200, 0x000000F0, 0xFFFFF000,
         2000, 100, true},
        {"the wrap, input seen", 0x00000100, 0xFFFFFF00, 0xFFFFFF00, 2000, 100, false},
        {"the wrap, the hook's event after it and the input before", 0x00000200, 0xFFFFFFF0,
         0x00000010, 2000, 100, false},
        {"the wrap between the input and now, unheard", 0x00000100, 0xFFFFFF00, 0xFFFF0000, 2000,
         100, true},
        {"a hook silent for more than 24.8 days, then input", 0x90000000, 0x90000000 - 500, 0, 2000,
         100, true},
        {"a hook silent for almost 49.7 days, then input", 0x00001000, 0x00001000 - 500, 0x00002000,
         2000, 100, true},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(HookLooksLost(c.now, c.last_input, c.last_hook_event, c.limit, c.settle), c.lost)
            << c.name;
}

// Keys and buttons that nothing reacts to, so runs under Wine disturb nothing.
constexpr BYTE kF13 = 0x7C;
constexpr DWORD kLimitMs = 100;

std::vector<int64_t> g_released; // F13 releases the binding saw; this thread only

int64_t RecordRelease(CRixObject*, CRixObject*, int32_t, int64_t key, int64_t, int64_t) {
    if (key == kF13)
        g_released.push_back(key);
    return 0;
}

void TypeF13() {
    keybd_event(kF13, 0, 0, 0);
    keybd_event(kF13, 0, KEYEVENTF_KEYUP, 0);
}

void MoveMouseBy(LONG dx) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(INPUT));
}

// Pumps until the hook procedure's last event is older than the limit, so that input from
// now on is newer than it by more than the limit.
bool LetTheLimitPass() {
    return PumpUntil(
        [] { return GetTickCount() - rg_qj_gzl__n::LastEventTick() > kLimitMs + kLimitMs / 2; },
        5000);
}

class HookWatchdogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_released.clear();
        hook_.KeyReleased().Bind(RecordRelease, target_, 0);
        watchdog_.SetLimits(kLimitMs, 0);
    }
    void TearDown() override { target_->DetachOwner(); }

    CRixObject owner_;
    CRixObjectPointer* target_ = new CRixObjectPointer(&owner_);
    rg_qj_gzl__n hook_;
    CHookWatchdog watchdog_{hook_};
};

TEST_F(HookWatchdogTest, HooksRemovedBehindTheObjectsBackAreInstalledAgain) {
    ASSERT_TRUE(rg_qj_gzl__n::IsInstalled());
    TypeF13();
    ASSERT_TRUE(PumpUntil([] { return g_released.size() == 1; }));

    // The system's removal, as far as the program can tell.
    ASSERT_TRUE(UnhookWindowsHookEx(rg_qj_gzl__n::KeyboardHook()));
    ASSERT_TRUE(UnhookWindowsHookEx(rg_qj_gzl__n::MouseHook()));
    ASSERT_TRUE(LetTheLimitPass());
    EXPECT_FALSE(watchdog_.Check()) << "no input came, nothing to tell a lost hook by";
    TypeF13();
    ASSERT_TRUE(PumpUntil([&] { return watchdog_.Check(); }))
        << "the unheard key did not make the watchdog re-hook";
    EXPECT_EQ(g_released.size(), 1u) << "the removed hook heard a key";
    EXPECT_EQ(watchdog_.GetRehookCount(), 1u);
    EXPECT_TRUE(rg_qj_gzl__n::IsInstalled());

    TypeF13();
    EXPECT_TRUE(PumpUntil([] { return g_released.size() == 2; }))
        << "the binding did not fire after the re-hook";
    EXPECT_FALSE(watchdog_.Check()) << "the re-hooked hook heard the key";
}

TEST_F(HookWatchdogTest, LiveHooksAreLeftAlone) {
    static constexpr struct {
        const char* name;
        void (*input)(int round);
    } kCases[] = {
        {"keys keep coming", [](int) { TypeF13(); }},
        {"the mouse keeps moving", [](int round) { MoveMouseBy(round % 2 == 0 ? 1 : -1); }},
        {"no input", [](int) {}},
    };
    for (const auto& c : kCases) {
        // Long enough that the hook's last event before the case is older than the limit.
        ASSERT_TRUE(LetTheLimitPass()) << c.name;
        for (int round = 0; round < 8; ++round) {
            c.input(round);
            PumpFor(kLimitMs / 2);
            EXPECT_FALSE(watchdog_.Check()) << c.name << ", round " << round;
        }
    }
    EXPECT_EQ(watchdog_.GetRehookCount(), 0u);
}

TEST_F(HookWatchdogTest, AReplacedHookObjectIsNoLongerLookedAfter) {
    rg_qj_gzl__n* successor = static_cast<rg_qj_gzl__n*>(hook_.Clone());
    ASSERT_TRUE(UnhookWindowsHookEx(rg_qj_gzl__n::KeyboardHook()));
    ASSERT_TRUE(LetTheLimitPass());
    TypeF13();
    PumpFor(kLimitMs);
    EXPECT_FALSE(watchdog_.Check()) << "the watchdog re-hooked for a replaced object";
    EXPECT_FALSE(hook_.Rehook());
    EXPECT_TRUE(successor->Rehook());
    EXPECT_TRUE(rg_qj_gzl__n::IsInstalled());
    DeleteThis(successor);
}

} // namespace
