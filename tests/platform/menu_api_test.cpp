// Menus, pop-up menus and accelerator tables through the Win32 calls, on both backends: what
// is appended reads back the same, destroying a menu takes its sub-menus along, a chosen
// pop-up item reaches its owner, accelerators turn key-downs into commands, and a window's
// menu bar is destroyed with the window unless it was taken off.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "tests/platform/test_window.h"
#include "tests/support/message_pump.h"
#include "tests/support/popup_menu_answer.h"
#include "tests/support/sim_only.h"
#include "tests/support/utf8_text.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

using keyseq_test::TestWindows;
using WText = std::basic_string<WCHAR>;

WText ItemText(HMENU menu, UINT item, UINT flags) {
    WCHAR buffer[64] = {};
    int n = GetMenuStringW(menu, item, buffer, 64, flags);
    return WText(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

std::string Show(const WText& text) {
    return Utf8Units(text.data(), text.size());
}

// The flags a caller can ask about, without the bits an implementation may add.
constexpr UINT kStateBits = MF_CHECKED | MF_GRAYED | MF_POPUP | MF_SEPARATOR;

// A menu bar with one pop-up: two commands, a separator, a greyed command and a greyed
// nested pop-up with one command.
struct SampleMenu {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();

    SampleMenu() {
        EXPECT_TRUE(AppendMenuW(nested, MF_STRING, 201, TEXT("深处")));
        EXPECT_TRUE(AppendMenuW(popup, MF_STRING, 101, TEXT("上移\tCtrl+F5")));
        EXPECT_TRUE(AppendMenuW(popup, MF_STRING | MF_CHECKED, 102, TEXT("下移")));
        EXPECT_TRUE(AppendMenuW(popup, MF_SEPARATOR, 0, nullptr));
        EXPECT_TRUE(AppendMenuW(popup, MF_STRING | MF_GRAYED, 103, TEXT("删除")));
        EXPECT_TRUE(AppendMenuW(popup, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(nested),
                                TEXT("更多")));
        EXPECT_TRUE(
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), TEXT("动态菜单")));
    }
    ~SampleMenu() {
        if (IsMenu(bar))
            DestroyMenu(bar);
    }
};

TEST(MenuApi, ItemsReadBackAsAppended) {
    SampleMenu m;
    ASSERT_NE(m.bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(m.bar), 1);
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.popup);
    EXPECT_EQ(Show(ItemText(m.bar, 0, MF_BYPOSITION)), "动态菜单");
    EXPECT_EQ(GetMenuItemID(m.bar, 0), static_cast<UINT>(-1)) << "a pop-up item has no id";
    EXPECT_EQ(GetMenuState(m.bar, 0, MF_BYPOSITION) >> 8, 5u)
        << "a pop-up item reports its menu's item count in the high byte";

    static constexpr struct {
        UINT id;
        const char* text;
        UINT state;
    } kItems[] = {
        {101, "上移\tCtrl+F5", 0},         {102, "下移", MF_CHECKED},
        {0, "", MF_SEPARATOR | MF_GRAYED}, // a separator cannot be chosen
        {103, "删除", MF_GRAYED},          {static_cast<UINT>(-1), "更多", MF_POPUP | MF_GRAYED},
    };
    ASSERT_EQ(GetMenuItemCount(m.popup), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetMenuItemID(m.popup, i), kItems[i].id);
        EXPECT_EQ(Show(ItemText(m.popup, i, MF_BYPOSITION)), kItems[i].text);
        EXPECT_EQ(GetMenuState(m.popup, i, MF_BYPOSITION) & kStateBits, kItems[i].state);
    }
    EXPECT_EQ(GetSubMenu(m.popup, 4), m.nested);
    EXPECT_EQ(GetSubMenu(m.popup, 0), nullptr);
    EXPECT_EQ(GetMenuState(m.popup, 4, MF_BYPOSITION) >> 8, 1u);
    EXPECT_EQ(GetMenuItemID(m.popup, 5), static_cast<UINT>(-1)) << "past the last item";
    EXPECT_EQ(GetMenuState(m.popup, 5, MF_BYPOSITION), static_cast<UINT>(-1));

    // By command the search goes down into the sub-menus.
    EXPECT_EQ(Show(ItemText(m.bar, 201, MF_BYCOMMAND)), "深处");
    EXPECT_EQ(GetMenuState(m.bar, 102, MF_BYCOMMAND) & kStateBits, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(m.bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    // The length without a buffer; a short buffer gets what fits and a terminator.
    EXPECT_EQ(GetMenuStringW(m.popup, 0, nullptr, 0, MF_BYPOSITION), 10);
    WCHAR small[3] = {1, 1, 1};
    EXPECT_EQ(GetMenuStringW(m.popup, 0, small, 3, MF_BYPOSITION), 2);
    EXPECT_EQ(Show(WText(small)), "上移");
}

// NOTE: Wine 8 fails these calls without setting the last error; the simulation reports
// ERROR_INVALID_MENU_HANDLE, which is what TrackPopupMenu reports on both.
void ExpectInvalidMenuError() {
#if defined(KEYSEQ_PLATFORM_SIM)
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
#endif
}

TEST(MenuApi, DestroyingAMenuDestroysItsSubMenus) {
    SampleMenu m;
    ASSERT_TRUE(IsMenu(m.nested));
    EXPECT_TRUE(DestroyMenu(m.bar));
    EXPECT_FALSE(IsMenu(m.bar));
    EXPECT_FALSE(IsMenu(m.popup));
    EXPECT_FALSE(IsMenu(m.nested));

    SetLastError(0);
    EXPECT_FALSE(DestroyMenu(m.popup));
    ExpectInvalidMenuError();
    SetLastError(0);
    EXPECT_EQ(GetMenuItemCount(m.bar), -1);
    ExpectInvalidMenuError();
    SetLastError(0);
    EXPECT_FALSE(AppendMenuW(m.popup, MF_STRING, 1, TEXT("x")));
    ExpectInvalidMenuError();
}

TEST(MenuApi, APopupMenuIsDestroyedAloneWhenNothingHoldsIt) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(popup, MF_STRING, 7, TEXT("x")));
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_TRUE(IsMenu(popup)) << "a pop-up that no item opens is not part of the bar";
    EXPECT_TRUE(DestroyMenu(popup));
}

using MenuBar = TestWindows;

// A window's menu bar: given at creation or with SetMenu, read back with GetMenu, and destroyed
// with the window unless it was taken off first.
TEST_F(MenuBar, TheBarOfAWindowIsDestroyedWithItUnlessTakenOff) {
    for (bool taken_off : {false, true}) {
        SCOPED_TRACE(taken_off ? "taken off" : "left on");
        HMENU bar = CreateMenu();
        HMENU popup = CreatePopupMenu();
        ASSERT_TRUE(AppendMenuW(popup, MF_STRING, 7, TEXT("x")));
        ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), TEXT("y")));
        HWND hwnd = Create(WS_OVERLAPPEDWINDOW, nullptr, 0, 0, 200, 150, TEXT("test"),
                           reinterpret_cast<INT_PTR>(bar));
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetMenu(hwnd), bar);
        if (taken_off) {
            EXPECT_TRUE(SetMenu(hwnd, nullptr));
            EXPECT_EQ(GetMenu(hwnd), nullptr);
        }
        ASSERT_TRUE(DestroyWindow(hwnd));
        EXPECT_EQ(IsMenu(bar) != FALSE, taken_off);
        EXPECT_EQ(IsMenu(popup) != FALSE, taken_off);
        if (taken_off) {
            EXPECT_TRUE(DestroyMenu(bar));
        }
    }
}

TEST_F(MenuBar, SetMenuGivesAPopupWindowItsBarAndRefusesChildrenAndDeadMenus) {
    HWND top = Create(WS_POPUP | WS_CAPTION, nullptr, 0, 0, 200, 150);
    ASSERT_NE(top, nullptr);
    HMENU bar = CreateMenu();
    ASSERT_TRUE(AppendMenuW(bar, MF_STRING, 7, TEXT("x")));
    EXPECT_TRUE(SetMenu(top, bar));
    EXPECT_EQ(GetMenu(top), bar);
    HWND child = Create(WS_CHILD, top, 0, 0, 50, 20);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(SetMenu(child, bar));
    HMENU dead = CreateMenu();
    ASSERT_TRUE(DestroyMenu(dead));
    EXPECT_FALSE(SetMenu(top, dead));
    EXPECT_EQ(GetMenu(top), bar);
    // The menu it replaces is left alone.
    HMENU other = CreateMenu();
    EXPECT_TRUE(SetMenu(top, other));
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_TRUE(SetMenu(top, nullptr));
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_TRUE(DestroyMenu(other));
}

using PopupMenu = TestWindows;

TEST_F(PopupMenu, AChosenItemArrivesAtTheOwnerAsWmCommand) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    ASSERT_NE(owner, nullptr);
    SampleMenu m;
    {
        PopupMenuAnswer answer(102, 1);
        EXPECT_TRUE(TrackPopupMenu(m.popup, TPM_RIGHTBUTTON, 200, 150, 0, owner, nullptr));
        EXPECT_TRUE(answer.Seen());
        POINT at = answer.TopLeft();
        EXPECT_EQ(at.x, 200);
        EXPECT_EQ(at.y, 150);
    }
    ASSERT_TRUE(PumpUntil([&] { return !Only({WM_COMMAND}, owner).empty(); }));
    auto commands = Only({WM_COMMAND}, owner);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(102)) << "the id, and 0 as the high word";
    EXPECT_EQ(commands[0].lParam, 0);
}

TEST_F(PopupMenu, ReturnCmdAnswersTheChoiceInsteadOfPostingIt) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    ASSERT_NE(owner, nullptr);
    SampleMenu m;
    {
        PopupMenuAnswer answer(101, 0);
        EXPECT_EQ(TrackPopupMenu(m.popup, TPM_RETURNCMD, 120, 90, 0, owner, nullptr), 101);
        EXPECT_TRUE(answer.Seen());
    }
    {
        PopupMenuAnswer answer(0, 0);
        EXPECT_EQ(TrackPopupMenu(m.popup, TPM_RETURNCMD, 120, 90, 0, owner, nullptr), 0)
            << "dismissed";
        EXPECT_TRUE(answer.Seen());
    }
    PumpFor(50);
    EXPECT_TRUE(Only({WM_COMMAND}, owner).empty());
}

TEST_F(PopupMenu, FailsForADestroyedMenu) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(DestroyMenu(popup));
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(popup, 0, 10, 10, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

#if defined(KEYSEQ_PLATFORM_SIM)

using PopupMenuRecord = TestWindows;

TEST_F(PopupMenuRecord, RecordsEveryShowingAndDismissesForItemsThatCannotBeChosen) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    SampleMenu m;
    sim::ResetPopupMenus();
    // A greyed item, an item behind a greyed pop-up and an unknown id cannot be clicked; the
    // item behind the greyed pop-up can be once its own menu is shown.
    for (UINT id : {103u, 201u, 201u, 999u})
        sim::QueuePopupMenuChoice(id);
    EXPECT_EQ(TrackPopupMenu(m.popup, TPM_RETURNCMD, 1, 2, 0, owner, nullptr), 0);
    EXPECT_EQ(TrackPopupMenu(m.popup, TPM_RETURNCMD, 1, 2, 0, owner, nullptr), 0);
    EXPECT_EQ(TrackPopupMenu(m.nested, TPM_RETURNCMD, 3, 4, 0, owner, nullptr), 201);
    EXPECT_EQ(TrackPopupMenu(m.popup, TPM_RIGHTBUTTON, 5, 6, 0, owner, nullptr), TRUE);
    EXPECT_EQ(TrackPopupMenu(m.popup, 0, 7, 8, 0, owner, nullptr), TRUE) << "nothing queued";

    auto calls = sim::PopupMenuCalls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].menu, m.popup);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(TPM_RETURNCMD));
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].chosen, 0u);
    EXPECT_EQ(calls[1].chosen, 0u);
    EXPECT_EQ(calls[2].menu, m.nested);
    EXPECT_EQ(calls[2].chosen, 201u);
    EXPECT_EQ(calls[3].flags, static_cast<UINT>(TPM_RIGHTBUTTON));
    EXPECT_EQ(calls[3].x, 5);
    EXPECT_EQ(calls[3].chosen, 0u);
    EXPECT_EQ(calls[4].y, 8);
    PumpFor(10);
    EXPECT_TRUE(Only({WM_COMMAND}, owner).empty());
    sim::ResetPopupMenus();
}

#else

KEYSEQ_SIM_ONLY_TEST(PopupMenuRecord, RecordsEveryShowingAndDismissesForItemsThatCannotBeChosen,
                     "reads the simulation's record of pop-up menus")

#endif

// Holds or releases Ctrl as the calling thread's key state sees it.
void HoldControl(bool held) {
#if defined(KEYSEQ_PLATFORM_SIM)
    if (held)
        sim::PressKey(VK_CONTROL);
    else
        sim::ReleaseKey(VK_CONTROL);
    // Key messages the press may have queued for this thread hold its view of the keys back
    // until they are retrieved.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
#else
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = held ? 0x80 : 0;
    state[VK_LCONTROL] = held ? 0x80 : 0;
    SetKeyboardState(state);
#endif
}

constexpr BYTE kVirt = FVIRTKEY | FNOINVERT;

TEST(AcceleratorTable, EntriesReadBackAsGiven) {
    ACCEL entries[] = {
        {kVirt | FCONTROL, VK_F5, 101},
        {kVirt, 'A', 102},
        {kVirt | FSHIFT | FALT, VK_DELETE, 65535},
    };
    HACCEL table = CreateAcceleratorTableW(entries, 3);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 3);
    ACCEL back[4] = {};
    EXPECT_EQ(CopyAcceleratorTableW(table, back, 2), 2) << "no more than asked for";
    EXPECT_EQ(CopyAcceleratorTableW(table, back, 4), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i].fVirt, entries[i].fVirt);
        EXPECT_EQ(back[i].key, entries[i].key);
        EXPECT_EQ(back[i].cmd, entries[i].cmd);
    }
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));

    SetLastError(0);
    EXPECT_EQ(CreateAcceleratorTableW(entries, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

using Accelerator = TestWindows;

TEST_F(Accelerator, AMatchingKeyDownIsSentAsWmCommandWithHighWordOne) {
    HWND hwnd = Create(WS_POPUP, nullptr, 0, 0, 100, 100);
    ASSERT_NE(hwnd, nullptr);
    ACCEL entries[] = {
        {kVirt | FCONTROL, VK_F5, 101},
        {kVirt, VK_F5, 102},
        {kVirt | FSHIFT, 'A', 103},
    };
    HACCEL table = CreateAcceleratorTableW(entries, 3);
    ASSERT_NE(table, nullptr);

    struct Case {
        const char* name;
        UINT message;
        WPARAM key;
        bool ctrl;
        int command; // 0: not translated
    };
    const Case kCases[] = {
        {"F5 alone", WM_KEYDOWN, VK_F5, false, 102},
        {"Ctrl+F5", WM_KEYDOWN, VK_F5, true, 101},
        {"Ctrl+F5 as a system key", WM_SYSKEYDOWN, VK_F5, true, 101},
        {"the key going up", WM_KEYUP, VK_F5, false, 0},
        {"A without the Shift of its entry", WM_KEYDOWN, 'A', false, 0},
        {"Ctrl+A", WM_KEYDOWN, 'A', true, 0},
        {"a key without an entry", WM_KEYDOWN, VK_F12, false, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ClearReceived();
        HoldControl(c.ctrl);
        MSG msg{hwnd, c.message, c.key, 0, 0, {0, 0}};
        EXPECT_EQ(TranslateAcceleratorW(hwnd, table, &msg), c.command != 0 ? 1 : 0);
        auto commands = Only({WM_COMMAND}, hwnd);
        if (c.command == 0) {
            EXPECT_TRUE(commands.empty());
        } else {
            ASSERT_EQ(commands.size(), 1u) << "sent, so it has arrived when the call returns";
            EXPECT_EQ(commands[0].wParam, MAKEWPARAM(c.command, 1));
            EXPECT_EQ(commands[0].lParam, 0);
        }
    }
    HoldControl(false);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
}

} // namespace
