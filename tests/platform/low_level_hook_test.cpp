// Low-level keyboard and mouse hooks and input injection, on both backends: the hook runs on
// the thread that installed it, sees injected input marked as injected, in call order, with
// the message numbers and records the application relies on.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "tests/support/message_pump.h"
#include "tests/support/running_under_wine.h"

namespace {

// A key that no one types and no program reacts to, so injecting it under Wine or on a
// desktop disturbs nothing.
constexpr BYTE kQuietKey = 0x7C; // VK_F13

struct SeenKey {
    WPARAM message;
    DWORD vk;
    DWORD scan;
    DWORD flags;
    ULONG_PTR extra;
    DWORD thread;
};

struct SeenButton {
    WPARAM message;
    DWORD flags;
    ULONG_PTR extra;
};

// One recorder per test; the hook procedures reach it through this pointer.
struct HookRecorder;
HookRecorder* g_recorder = nullptr;

constexpr ULONG_PTR kMark = 0x5EC0DE;

struct HookRecorder {
    std::mutex lock;
    std::vector<SeenKey> keys;       // guarded by lock
    std::vector<SeenButton> buttons; // guarded by lock
    HHOOK keyboard = nullptr;
    HHOOK mouse = nullptr;
    LRESULT answer = 0; // what the keyboard hook answers for our marked events

    HookRecorder() {
        g_recorder = this;
        keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, nullptr, 0);
        mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, nullptr, 0);
    }
    ~HookRecorder() {
        if (keyboard != nullptr)
            UnhookWindowsHookEx(keyboard);
        if (mouse != nullptr)
            UnhookWindowsHookEx(mouse);
        g_recorder = nullptr;
    }

    // Only the events this test marked: real devices and other programs may add their own.
    std::vector<SeenKey> Keys() {
        std::lock_guard<std::mutex> guard(lock);
        return keys;
    }
    std::vector<SeenButton> Buttons() {
        std::lock_guard<std::mutex> guard(lock);
        return buttons;
    }

    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
        auto* record = reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && g_recorder != nullptr && record->dwExtraInfo == kMark) {
            {
                std::lock_guard<std::mutex> guard(g_recorder->lock);
                g_recorder->keys.push_back(SeenKey{wparam, record->vkCode, record->scanCode,
                                                   record->flags, record->dwExtraInfo,
                                                   GetCurrentThreadId()});
            }
            if (g_recorder->answer != 0)
                return g_recorder->answer;
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
        auto* record = reinterpret_cast<MSLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && g_recorder != nullptr && record->dwExtraInfo == kMark &&
            wparam != WM_MOUSEMOVE) {
            std::lock_guard<std::mutex> guard(g_recorder->lock);
            g_recorder->buttons.push_back(SeenButton{wparam, record->flags, record->dwExtraInfo});
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
};

TEST(LowLevelHookThreadTest, InjectedKeysFromAnotherThreadReachTheHookOnTheInstallingThread) {
    HookRecorder recorder;
    ASSERT_NE(recorder.keyboard, nullptr);
    DWORD installer = GetCurrentThreadId();
    UINT scan = MapVirtualKeyW(kQuietKey, MAPVK_VK_TO_VSC);
    std::atomic<bool> injected{false};
    std::thread injector([&] {
        keybd_event(kQuietKey, static_cast<BYTE>(scan), 0, kMark);
        keybd_event(kQuietKey, static_cast<BYTE>(scan), KEYEVENTF_KEYUP, kMark);
        injected = true;
    });
    bool seen = PumpUntil([&] { return injected && recorder.Keys().size() >= 2; });
    injector.join();
    ASSERT_TRUE(seen);

    auto keys = recorder.Keys();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, static_cast<WPARAM>(WM_KEYDOWN));
    EXPECT_EQ(keys[1].message, static_cast<WPARAM>(WM_KEYUP));
    for (const auto& key : keys) {
        EXPECT_EQ(key.vk, kQuietKey);
        EXPECT_EQ(key.scan, scan);
        EXPECT_NE(key.flags & LLKHF_INJECTED, 0u);
        EXPECT_EQ(key.thread, installer);
    }
    EXPECT_EQ(keys[0].flags & LLKHF_UP, 0u);
    EXPECT_NE(keys[1].flags & LLKHF_UP, 0u);
}

TEST(LowLevelHookThreadTest, InjectedButtonsReachTheMouseHookWithTheirMessages) {
    HookRecorder recorder;
    ASSERT_NE(recorder.mouse, nullptr);
    static constexpr struct {
        DWORD flag;
        WPARAM message;
    } kCases[] = {{MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN},
                  {MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP},
                  {MOUSEEVENTF_MIDDLEDOWN, WM_MBUTTONDOWN},
                  {MOUSEEVENTF_MIDDLEUP, WM_MBUTTONUP}};
    std::atomic<bool> injected{false};
    std::thread injector([&] {
        for (const auto& c : kCases) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = c.flag;
            input.mi.dwExtraInfo = kMark;
            EXPECT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
        }
        injected = true;
    });
    bool seen = PumpUntil([&] { return injected && recorder.Buttons().size() >= 4; });
    injector.join();
    ASSERT_TRUE(seen);
    auto buttons = recorder.Buttons();
    ASSERT_EQ(buttons.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i].message, kCases[i].message) << "event " << i;
        EXPECT_NE(buttons[i].flags & LLMHF_INJECTED, 0u) << "event " << i;
    }
}

TEST(LowLevelHookThreadTest, NoEventsAfterUnhook) {
    auto* recorder = new HookRecorder;
    ASSERT_NE(recorder->keyboard, nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(recorder->keyboard));
    recorder->keyboard = nullptr;
    std::thread injector([] {
        keybd_event(kQuietKey, 0, 0, kMark);
        keybd_event(kQuietKey, 0, KEYEVENTF_KEYUP, kMark);
    });
    injector.join();
    PumpFor(200);
    EXPECT_TRUE(recorder->Keys().empty());
    delete recorder;
}

TEST(LowLevelHookThreadTest, AsyncKeyStateFollowsInjectedKeys) {
    HookRecorder recorder; // Windows keeps the key state only while someone pumps input
    keybd_event(kQuietKey, 0, 0, kMark);
    PumpUntil([&] { return recorder.Keys().size() >= 1; });
    PumpFor(50);
    EXPECT_LT(GetAsyncKeyState(kQuietKey), 0);
    keybd_event(kQuietKey, 0, KEYEVENTF_KEYUP, kMark);
    PumpUntil([&] { return recorder.Keys().size() >= 2; });
    PumpFor(50);
    EXPECT_GE(GetAsyncKeyState(kQuietKey), 0);
}

TEST(InputInjectionTest, SendInputRefusesAWrongRecordSize) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    EXPECT_EQ(sizeof(INPUT), 40u);
    EXPECT_EQ(SendInput(1, &input, sizeof(INPUT) - 8), 0u);
}

TEST(InputInjectionTest, ScanCodesOfTheUsLayout) {
    static constexpr struct {
        UINT vk;
        UINT scan;
    } kCases[] = {{'A', 0x1E},      {'Q', 0x10},        {'Z', 0x2C},      {'1', 0x02},
                  {'0', 0x0B},      {VK_RETURN, 0x1C},  {VK_SPACE, 0x39}, {VK_ESCAPE, 0x01},
                  {VK_TAB, 0x0F},   {VK_F1, 0x3B},      {VK_F10, 0x44},   {VK_F12, 0x58},
                  {VK_SHIFT, 0x2A}, {VK_CONTROL, 0x1D}, {VK_MENU, 0x38},  {VK_OEM_MINUS, 0x0C},
                  {VK_OEM_1, 0x27}, {VK_BACK, 0x0E}};
    for (const auto& c : kCases)
        EXPECT_EQ(MapVirtualKeyW(c.vk, MAPVK_VK_TO_VSC), c.scan) << "vk " << c.vk;
}

// MAPVK_VK_TO_VSC_EX: the scan code with its prefix, 0xE0 or 0xE1, in the high byte. The
// simulation answers as the US layout of Windows does. Wine answers from the X server's keymap
// instead: Xvfb's has no browser, media or launch keys (0), and Wine gives the prefix only to
// the right Ctrl and Alt; those cases are marked with Wine's answer.
TEST(InputInjectionTest, PrefixedScanCodesOfTheUsLayout) {
    static constexpr struct {
        UINT vk;
        UINT us_layout;
        UINT wine;
    } kCases[] = {
        {'A', 0x1E, 0x1E},
        {VK_F10, 0x44, 0x44},
        {VK_RCONTROL, 0xE01D, 0xE01D},
        {VK_RMENU, 0xE038, 0xE038},
        // The arrows share their code with a keypad key without the prefix, and answer that.
        {VK_LEFT, 0x4B, 0x4B},
        {VK_NEXT, 0x51, 0x51},
        {VK_DIVIDE, 0xE035, 0x35},
        {VK_LWIN, 0xE05B, 0x5B},
        {VK_CANCEL, 0xE046, 0x68},
        {VK_PAUSE, 0xE11D, 0x45},
        {VK_BROWSER_BACK, 0xE06A, 0},
        {VK_BROWSER_HOME, 0xE032, 0},
        {VK_VOLUME_MUTE, 0xE020, 0},
        {VK_VOLUME_UP, 0xE030, 0},
        {VK_MEDIA_PLAY_PAUSE, 0xE022, 0},
        {VK_LAUNCH_MAIL, 0xE06C, 0},
        {VK_LAUNCH_APP2, 0xE021, 0},
    };
    const bool wine = RunningUnderWine();
    for (const auto& c : kCases)
        EXPECT_EQ(MapVirtualKeyW(c.vk, MAPVK_VK_TO_VSC_EX), wine ? c.wine : c.us_layout)
            << "vk " << c.vk;
}

TEST(InputInjectionTest, CursorGoesWhereItIsPut) {
    POINT saved;
    ASSERT_TRUE(GetCursorPos(&saved));
    ASSERT_TRUE(SetCursorPos(100, 200));
    POINT p{};
    // Under Wine the new position reaches the X server and comes back; give it a moment.
    PumpUntil([&] { return GetCursorPos(&p) && p.x == 100 && p.y == 200; }, 1000);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 200);
    SetCursorPos(saved.x, saved.y);
}

} // namespace
