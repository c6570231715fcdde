// The scan code and extended flag of a replayed key, on both backends: the layout's answer
// with its prefix, the table where the answer has no prefix, and what the hooks then see of a
// replayed key.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "app/replay/extended_key.h"
#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "tests/support/message_pump.h"
#include "tests/support/running_under_wine.h"

namespace {

struct Expected {
    BYTE scan;
    bool extended;
};

// The simulation answers as the US layout of Windows; Wine answers from Xvfb's keymap, which
// has no browser, media or launch keys and prefixes only the right Ctrl and Alt (see the
// platform's PrefixedScanCodesOfTheUsLayout).
TEST(KeyScanCodeTest, TheLayoutsPrefixAndTheTableOfExtendedKeys) {
    static constexpr struct {
        BYTE vk;
        Expected us_layout;
        Expected wine;
    } kCases[] = {
        {'A', {0x1E, false}, {0x1E, false}},
        {VK_F10, {0x44, false}, {0x44, false}},
        // Answered without the prefix; the table knows they are extended.
        {VK_LEFT, {0x4B, true}, {0x4B, true}},
        {VK_DELETE, {0x53, true}, {0x53, true}},
        {VK_NUMLOCK, {0x45, true}, {0x45, true}},
        {VK_RCONTROL, {0x1D, true}, {0x1D, true}},
        {VK_LWIN, {0x5B, true}, {0x5B, true}},
        {VK_DIVIDE, {0x35, true}, {0x35, true}},
        // Outside the table: only the layout's prefix says so.
        {VK_CANCEL, {0x46, true}, {0x68, false}},
        {VK_BROWSER_BACK, {0x6A, true}, {0, false}},
        {VK_VOLUME_MUTE, {0x20, true}, {0, false}},
        {VK_MEDIA_PLAY_PAUSE, {0x22, true}, {0, false}},
        {VK_LAUNCH_APP2, {0x21, true}, {0, false}},
        // E1 1D would be the right Ctrl: Pause goes without the flag, with its plain code.
        {VK_PAUSE, {0, false}, {0x45, false}},
    };
    const bool wine = RunningUnderWine();
    for (const auto& c : kCases) {
        const Expected& expected = wine ? c.wine : c.us_layout;
        KeyScan got = KeyScanCode(c.vk);
        EXPECT_EQ(got.scan, expected.scan) << "vk " << int{c.vk};
        EXPECT_EQ(got.extended, expected.extended) << "vk " << int{c.vk};
    }
}

struct SeenKey {
    DWORD vk;
    DWORD scan;
    bool extended;
    bool operator==(const SeenKey&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SeenKey& k) {
    return out << "{vk " << k.vk << " scan " << k.scan << (k.extended ? " extended}" : "}");
}

std::vector<SeenKey>* g_seen = nullptr;

LRESULT CALLBACK RecordKey(int code, WPARAM wparam, LPARAM lparam) {
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    if (code == HC_ACTION && g_seen != nullptr && (record->flags & LLKHF_INJECTED) != 0)
        g_seen->push_back(
            {record->vkCode, record->scanCode, (record->flags & LLKHF_EXTENDED) != 0});
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Keys outside the table of extended keys (a volume key, Ctrl+Break) reach the hooks with the
// layout's code and flag, both events of each step alike.
TEST(KeyScanCodeTest, AReplayedKeyCarriesItsScanCodeAndFlag) {
    std::vector<SeenKey> seen;
    g_seen = &seen;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, RecordKey, nullptr, 0);
    ASSERT_NE(hook, nullptr);
    StepList.Clear();
    StepList.LoadFromText(TEXT("A173 A3 A37 A65"));
    StartReplay(1);
    EXPECT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }, 10000));
    PumpFor(20);
    UnhookWindowsHookEx(hook);
    g_seen = nullptr;
    StepList.Clear();

    std::vector<SeenKey> expected;
    for (BYTE vk : std::initializer_list<BYTE>{VK_VOLUME_MUTE, VK_CANCEL, VK_LEFT, 'A'}) {
        KeyScan key = KeyScanCode(vk);
        expected.insert(expected.end(), 2, SeenKey{vk, key.scan, key.extended});
    }
    EXPECT_EQ(seen, expected);
}

} // namespace
