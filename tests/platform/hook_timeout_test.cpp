// The time limit of low-level hook calls in the simulation: a hook whose thread does not
// answer in time is passed over, the event goes on to the next hook and to the focused window,
// and the hook is removed for good (its handle is refused later, and later events do not reach
// it). Windows reads the limit from the registry; only the simulation lets a test set a short
// one, so these tests run on the host only.
#include <gtest/gtest.h>

#include "tests/support/sim_only.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include <atomic>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "tests/support/message_pump.h"

namespace {

constexpr BYTE kQuietKey = 0x7C; // VK_F13
constexpr DWORD kLimitMs = 30;
// Long against the limit, so that the slow hook misses it whatever the load of the machine.
constexpr DWORD kBlockMs = 10 * kLimitMs;

std::atomic<int> g_slow_calls{0};
std::atomic<DWORD> g_slow_seen_vk{0};
std::vector<WPARAM> g_fast_seen; // the test thread only

// Blocks on its first call, then reads the record: the event's record must outlive the call
// even when the injecting thread has gone on.
LRESULT CALLBACK SlowProc(int code, WPARAM wparam, LPARAM lparam) {
    auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    if (g_slow_calls.fetch_add(1) == 0)
        Sleep(kBlockMs);
    g_slow_seen_vk = record->vkCode;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK FastProc(int code, WPARAM wparam, LPARAM lparam) {
    if (reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam)->vkCode == kQuietKey)
        g_fast_seen.push_back(wparam);
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Where the slow hook lives: on the injecting thread itself, on a thread that handles
// messages (the call times out while the hook runs), or on a thread that does not handle
// messages until the event has passed (the call is taken back unhandled).
enum class Owner { InjectingThread, PumpingThread, BusyThread };

class HookTimeoutTest : public ::testing::TestWithParam<Owner> {
protected:
    void SetUp() override {
        sim::SetLowLevelHookTimeout(kLimitMs);
        g_slow_calls = 0;
        g_slow_seen_vk = 0;
        g_fast_seen.clear();
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = PlainProc;
        wc.lpszClassName = TEXT("KeyseqHookTimeoutTest");
        RegisterClassExW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, TEXT(""), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    void TearDown() override {
        stop_ = true;
        release_ = true;
        if (owner_.joinable())
            owner_.join();
        if (fast_ != nullptr)
            UnhookWindowsHookEx(fast_);
        DestroyWindow(window_);
        sim::SetLowLevelHookTimeout(0);
    }

    // Installs the slow hook where the case says; answers its handle.
    HHOOK InstallSlowHook(Owner owner) {
        if (owner == Owner::InjectingThread)
            return SetWindowsHookExW(WH_KEYBOARD_LL, SlowProc, nullptr, 0);
        std::atomic<HHOOK> handle{nullptr};
        std::atomic<bool> installed{false};
        owner_ = std::thread([this, owner, &handle, &installed] {
            handle = SetWindowsHookExW(WH_KEYBOARD_LL, SlowProc, nullptr, 0);
            installed = true;
            while (owner == Owner::BusyThread && !release_)
                Sleep(1);
            while (!stop_) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageW(&msg);
                Sleep(1);
            }
        });
        while (!installed)
            Sleep(1);
        return handle;
    }

    // The next key message for the test window, 0 when none is waiting.
    UINT NextKeyMessage(WPARAM* vk) {
        MSG msg;
        if (!PeekMessageW(&msg, window_, WM_KEYDOWN, WM_KEYUP, PM_REMOVE))
            return 0;
        *vk = msg.wParam;
        return msg.message;
    }

    HWND window_ = nullptr;
    HHOOK fast_ = nullptr;
    std::thread owner_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> release_{false};
};

TEST_P(HookTimeoutTest, AHookThatMissesTheLimitIsPassedOverAndRemovedForGood) {
    // The fast hook is older, so the system offers every event to the slow one first.
    fast_ = SetWindowsHookExW(WH_KEYBOARD_LL, FastProc, nullptr, 0);
    ASSERT_NE(fast_, nullptr);
    HHOOK slow = InstallSlowHook(GetParam());
    ASSERT_NE(slow, nullptr);

    keybd_event(kQuietKey, 0, 0, 0);
    WPARAM vk = 0;
    EXPECT_EQ(NextKeyMessage(&vk), static_cast<UINT>(WM_KEYDOWN)) << "the event did not go on";
    EXPECT_EQ(vk, kQuietKey);
    EXPECT_LT(GetAsyncKeyState(kQuietKey), 0);
    EXPECT_EQ(g_fast_seen, (std::vector<WPARAM>{WM_KEYDOWN}));

    SetLastError(0);
    EXPECT_FALSE(UnhookWindowsHookEx(slow)) << "the slow hook is still installed";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));

    keybd_event(kQuietKey, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(NextKeyMessage(&vk), static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(g_fast_seen, (std::vector<WPARAM>{WM_KEYDOWN, WM_KEYUP}));

    // Let the slow hook's thread run whatever it still has; the removed hook hears of no
    // later event.
    release_ = true;
    const int expected_calls = GetParam() == Owner::BusyThread ? 0 : 1;
    if (expected_calls == 1)
        PumpUntil([] { return g_slow_seen_vk != 0; }, 2 * kBlockMs);
    PumpFor(kLimitMs);
    EXPECT_EQ(g_slow_calls, expected_calls);
    if (expected_calls == 1) {
        EXPECT_EQ(g_slow_seen_vk, kQuietKey) << "the blocked hook read a wrong record";
    }
}

INSTANTIATE_TEST_SUITE_P(Owners, HookTimeoutTest,
                         ::testing::Values(Owner::InjectingThread, Owner::PumpingThread,
                                           Owner::BusyThread),
                         [](const ::testing::TestParamInfo<Owner>& info) {
                             switch (info.param) {
                             case Owner::InjectingThread:
                                 return "InjectingThread";
                             case Owner::PumpingThread:
                                 return "PumpingThread";
                             default:
                                 return "BusyThread";
                             }
                         });

TEST(HookTimeoutLimitTest, AHookThatAnswersInTimeStaysInstalled) {
    sim::SetLowLevelHookTimeout(kLimitMs);
    g_fast_seen.clear();
    HHOOK fast = SetWindowsHookExW(WH_KEYBOARD_LL, FastProc, nullptr, 0);
    ASSERT_NE(fast, nullptr);
    for (int i = 0; i < 3; ++i) {
        keybd_event(kQuietKey, 0, 0, 0);
        keybd_event(kQuietKey, 0, KEYEVENTF_KEYUP, 0);
    }
    EXPECT_EQ(g_fast_seen.size(), 6u);
    EXPECT_TRUE(UnhookWindowsHookEx(fast));
    sim::SetLowLevelHookTimeout(0);
    EXPECT_EQ(sim::LowLevelHookTimeout(), 1000u);
}

} // namespace
#else
KEYSEQ_SIM_ONLY_TEST(Owners_HookTimeoutTest, AHookThatMissesTheLimitIsPassedOverAndRemovedForGood,
                     "needs the simulation's settable hook time limit")
KEYSEQ_SIM_ONLY_TEST(HookTimeoutLimitTest, AHookThatAnswersInTimeStaysInstalled,
                     "needs the simulation's settable hook time limit")
#endif
