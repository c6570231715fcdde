// The system's last input time (GetLastInputInfo) on both backends: injected keys and mouse
// input move it as device input does, which the hook watchdog relies on to notice input that
// its hooks did not see.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/message_pump.h"

namespace {

constexpr BYTE kQuietKey = 0x7C; // VK_F13: nothing reacts to it

DWORD LastInput() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(GetLastInputInfo(&info));
    return info.dwTime;
}

// Tick counts wrap after 49.7 days: compare them as a signed difference.
bool NotBefore(DWORD later, DWORD earlier) {
    return static_cast<int32_t>(later - earlier) >= 0;
}

void MouseInput(DWORD flags, LONG dx) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(INPUT));
}

TEST(LastInputTest, InjectedInputMovesTheLastInputTime) {
    static constexpr struct {
        const char* name;
        void (*inject)();
    } kCases[] = {
        {"key down", [] { keybd_event(kQuietKey, 0, 0, 0); }},
        {"key up", [] { keybd_event(kQuietKey, 0, KEYEVENTF_KEYUP, 0); }},
        {"mouse move", [] { MouseInput(MOUSEEVENTF_MOVE, 1); }},
        {"mouse move back", [] { MouseInput(MOUSEEVENTF_MOVE, -1); }},
    };
    for (const auto& c : kCases) {
        DWORD before = LastInput();
        // Let the tick count pass the last input, so that a new input can show a later time.
        ASSERT_TRUE(PumpUntil([&] { return !NotBefore(before, GetTickCount()); }, 2000));
        DWORD sent = GetTickCount();
        c.inject();
        DWORD seen = before;
        bool moved = PumpUntil(
            [&] {
                seen = LastInput();
                return seen != before;
            },
            2000);
        DWORD after = GetTickCount();
        ASSERT_TRUE(moved) << c.name << ": the last input time stayed at " << before;
        EXPECT_TRUE(NotBefore(seen, sent)) << c.name << ": " << seen << " before " << sent;
        EXPECT_TRUE(NotBefore(after, seen)) << c.name << ": " << seen << " after " << after;
    }
}

TEST(LastInputTest, RefusesAWrongRecordSize) {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info) + 4;
    info.dwTime = 12345;
    EXPECT_FALSE(GetLastInputInfo(&info));
    EXPECT_EQ(info.dwTime, 12345u);
}

} // namespace
