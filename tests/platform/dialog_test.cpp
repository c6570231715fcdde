// The dialog manager on both backends: dialogs created from templates built in memory, the
// initialisation message, the dialog's items, the keys of IsDialogMessageW, default buttons,
// closing and ending. The simulation is checked against the real one under Wine.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "runtime/ui/native/dialog_template.h"
#include "tests/support/message_pump.h"

namespace {

constexpr WORD kPrompt = 100;
constexpr WORD kEdit = 101;
constexpr WORD kDisabledEdit = 102;

// What the dialog procedure saw.
struct Seen {
    BOOL init_answer = TRUE;
    bool init_called = false;
    HWND init_wparam = nullptr;
    LPARAM init_lparam = 0;
    bool controls_at_init = false;
    bool visible_at_init = true;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
};
Seen* g_seen = nullptr; // the test's record; this thread only

INT_PTR CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (g_seen == nullptr)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        g_seen->init_called = true;
        g_seen->init_wparam = reinterpret_cast<HWND>(wparam);
        g_seen->init_lparam = lparam;
        g_seen->controls_at_init = GetDlgItem(hwnd, IDCANCEL) != nullptr;
        g_seen->visible_at_init = IsWindowVisible(hwnd) != FALSE;
        return g_seen->init_answer;
    case WM_COMMAND:
        // Choices only: real edit controls also notify focus and changes.
        if (HIWORD(wparam) == BN_CLICKED)
            g_seen->commands.push_back({wparam, lparam});
        return TRUE;
    default:
        return FALSE;
    }
}

// The input dialog's shape: a prompt, an edit, a disabled edit, OK as the default push button
// and Cancel.
CRixDialogTemplate InputTemplate(DWORD visible) {
    CRixDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | visible, 0, 10, 10,
                         214, 80, TEXT("请输入："));
    t.SetFont(TEXT("MS Shell Dlg"), 8);
    t.AddItem(CRixDialogTemplate::kStatic, TEXT("名称"), kPrompt, WS_VISIBLE | WS_GROUP, 0, 0, 50,
              10);
    t.AddItem(CRixDialogTemplate::kEdit, TEXT("起始"), kEdit,
              WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 200, 12);
    t.AddItem(CRixDialogTemplate::kEdit, nullptr, kDisabledEdit,
              WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_PASSWORD, 7, 36, 200, 12);
    t.AddItem(CRixDialogTemplate::kButton, TEXT("确认输入(&O)"), IDOK,
              WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 82, 56, 55, 19);
    t.AddItem(CRixDialogTemplate::kButton, TEXT("取消(&C)"), IDCANCEL,
              WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 151, 56, 55, 19);
    return t;
}

std::basic_string<WCHAR> ItemText(HWND dialog, int id) {
    WCHAR buffer[64];
    GetDlgItemTextW(dialog, id, buffer, 64);
    return buffer;
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override { g_seen = &seen; }
    void TearDown() override {
        if (dialog != nullptr && IsWindow(dialog))
            DestroyWindow(dialog);
        PumpFor(10);
        g_seen = nullptr;
    }

    HWND Create(const CRixDialogTemplate& t, LPARAM param = 0) {
        dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr,
                                            &RecordingProc, param);
        return dialog;
    }

    // Offers a key press to the dialog manager as the message loop would.
    BOOL Key(HWND target, WPARAM vk) {
        MSG msg{target, WM_KEYDOWN, vk, 1, 0, {}};
        return IsDialogMessageW(dialog, &msg);
    }

    Seen seen;
    HWND dialog = nullptr;
};

TEST_F(DialogTest, ATemplateBuiltInMemoryGivesTheControlsTheirIdsTextsAndStyles) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr) << "error " << GetLastError();
    WCHAR title[32];
    GetWindowTextW(dialog, title, 32);
    EXPECT_EQ(std::basic_string<WCHAR>(title), TEXT("请输入："));

    struct Case {
        int id;
        const WCHAR* text;
        DWORD style;
    };
    const Case cases[] = {
        {kPrompt, TEXT("名称"), WS_CHILD | WS_VISIBLE | WS_GROUP},
        {kEdit, TEXT("起始"), WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
        {kDisabledEdit, TEXT(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | ES_PASSWORD},
        {IDOK, TEXT("确认输入(&O)"), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {IDCANCEL, TEXT("取消(&C)"), WS_CHILD | WS_VISIBLE | WS_TABSTOP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND item = GetDlgItem(dialog, c.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(GetParent(item), dialog);
        EXPECT_EQ(GetDlgCtrlID(item), c.id);
        EXPECT_EQ(ItemText(dialog, c.id), c.text);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(item, GWL_STYLE));
        EXPECT_EQ(style & c.style, c.style) << std::hex << style;
    }
    EXPECT_EQ(GetDlgItem(dialog, 999), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, kDisabledEdit) != nullptr &&
                  !IsWindowEnabled(GetDlgItem(dialog, kDisabledEdit)),
              true);
}

TEST_F(DialogTest, ItemsArePlacedAtTheirDialogUnitsAsMapDialogRectConvertsThem) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    // Pixels depend on the font on Windows, so the expectation comes from MapDialogRect of
    // the same backend. The prompt sits at 0, 0 and is the reference point.
    RECT origin{};
    GetWindowRect(GetDlgItem(dialog, kPrompt), &origin);
    for (int id : {static_cast<int>(kEdit), IDOK, IDCANCEL}) {
        SCOPED_TRACE(id);
        RECT placed{};
        GetWindowRect(GetDlgItem(dialog, id), &placed);
        RECT units = id == kEdit  ? RECT{7, 20, 207, 32}
                     : id == IDOK ? RECT{82, 56, 137, 75}
                                  : RECT{151, 56, 206, 75};
        RECT corner{units.left, units.top, 0, 0};
        RECT size{0, 0, units.right - units.left, units.bottom - units.top};
        ASSERT_TRUE(MapDialogRect(dialog, &corner));
        ASSERT_TRUE(MapDialogRect(dialog, &size));
        EXPECT_EQ(placed.left - origin.left, corner.left);
        EXPECT_EQ(placed.top - origin.top, corner.top);
        EXPECT_EQ(placed.right - placed.left, size.right);
        EXPECT_EQ(placed.bottom - placed.top, size.bottom);
    }
    RECT none{0, 0, 4, 8};
    HWND plain = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(MapDialogRect(plain, &none)) << "not a dialog";
    DestroyWindow(plain);
}

TEST_F(DialogTest, InitDialogComesWithTheControlsBeforeTheDialogIsShown) {
    ASSERT_NE(Create(InputTemplate(WS_VISIBLE), 0x5EED), nullptr);
    EXPECT_TRUE(seen.init_called);
    EXPECT_TRUE(seen.controls_at_init);
    EXPECT_FALSE(seen.visible_at_init);
    EXPECT_EQ(seen.init_lparam, 0x5EED);
    // wParam names the control that gets the focus: the first tab stop.
    EXPECT_EQ(seen.init_wparam, GetDlgItem(dialog, kEdit));
    EXPECT_TRUE(IsWindowVisible(dialog));
    // Answering TRUE leaves the focus to the dialog manager, which gives it to the first tab
    // stop.
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kEdit));
}

TEST_F(DialogTest, InitDialogAnsweringFalseKeepsTheFocusWhereItWas) {
    seen.init_answer = FALSE;
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    EXPECT_TRUE(seen.init_called);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the template has no WS_VISIBLE";
    EXPECT_NE(GetFocus(), GetDlgItem(dialog, kEdit));
}

TEST_F(DialogTest, TheTemplateFontGoesToTheDialogAndEveryControl) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW record{};
    ASSERT_EQ(GetObjectW(font, sizeof(record), &record), static_cast<int>(sizeof(record)));
    EXPECT_LT(record.lfHeight, 0) << "a character height, from the point size";
    for (int id : {static_cast<int>(kEdit), IDOK}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(font));
    }
}

TEST_F(DialogTest, AControlOfAnUnknownClassMakesTheCreationFail) {
    CRixDialogTemplate t = InputTemplate(0);
    t.AddItem(TEXT("KeyseqNoSuchClass"), TEXT("x"), 7, WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_EQ(Create(t), nullptr);
    EXPECT_FALSE(seen.init_called);
}

TEST_F(DialogTest, ItemTextsAndMessagesGoThroughTheDialog) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    EXPECT_TRUE(SetDlgItemTextW(dialog, kEdit, TEXT("方案一")));
    EXPECT_EQ(ItemText(dialog, kEdit), TEXT("方案一"));
    EXPECT_EQ(SendDlgItemMessageW(dialog, kEdit, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_FALSE(SetDlgItemTextW(dialog, 999, TEXT("x")));
    WCHAR buffer[8] = {'x', 0};
    EXPECT_EQ(GetDlgItemTextW(dialog, 999, buffer, 8), 0u);
    EXPECT_EQ(buffer[0], 0) << "the buffer is emptied for a missing item";
}

#if defined(KEYSEQ_PLATFORM_WIN32)
void HoldShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}
#else
// The thread sees the key once it has retrieved the key message the press queued.
void HoldShift(bool down) {
    if (down)
        sim::PressKey(VK_SHIFT);
    else
        sim::ReleaseKey(VK_SHIFT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}
#endif

TEST_F(DialogTest, TabAndShiftTabMoveAmongTheEnabledTabStopsAndWrapAround) {
    ASSERT_NE(Create(InputTemplate(WS_VISIBLE)), nullptr);
    HWND edit = GetDlgItem(dialog, kEdit);
    HWND ok = GetDlgItem(dialog, IDOK);
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    ASSERT_EQ(GetFocus(), edit);
    // The disabled edit and the prompt (no WS_TABSTOP) are skipped.
    EXPECT_TRUE(Key(edit, VK_TAB));
    EXPECT_EQ(GetFocus(), ok);
    EXPECT_TRUE(Key(ok, VK_TAB));
    EXPECT_EQ(GetFocus(), cancel);
    EXPECT_TRUE(Key(cancel, VK_TAB));
    EXPECT_EQ(GetFocus(), edit);

    HoldShift(true);
    EXPECT_TRUE(Key(edit, VK_TAB));
    HoldShift(false);
    EXPECT_EQ(GetFocus(), cancel);

    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), edit);
    EXPECT_EQ(GetNextDlgTabItem(dialog, ok, TRUE), edit);
    EXPECT_TRUE(seen.commands.empty()) << "Tab chooses nothing";
}

TEST_F(DialogTest, EnterChoosesTheDefaultButtonAndEscChoosesCancel) {
    ASSERT_NE(Create(InputTemplate(WS_VISIBLE)), nullptr);
    HWND edit = GetDlgItem(dialog, kEdit);
    ASSERT_EQ(GetFocus(), edit);
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));

    EXPECT_TRUE(Key(edit, VK_RETURN));
    EXPECT_TRUE(Key(edit, VK_ESCAPE));
    ASSERT_EQ(seen.commands.size(), 2u);
    EXPECT_EQ(seen.commands[0].first, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_EQ(seen.commands[0].second, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    EXPECT_EQ(seen.commands[1].first, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(seen.commands[1].second, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));

    // DM_SETDEFID names another default; Enter follows it.
    seen.commands.clear();
    SendMessageW(dialog, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDCANCEL);
    EXPECT_TRUE(Key(edit, VK_RETURN));
    ASSERT_EQ(seen.commands.size(), 1u);
    EXPECT_EQ(LOWORD(seen.commands[0].first), IDCANCEL);
}

TEST_F(DialogTest, EnterWithoutADefaultButtonChoosesOk) {
    CRixDialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 0, 100, 50);
    t.AddItem(CRixDialogTemplate::kEdit, nullptr, kEdit, WS_VISIBLE | WS_TABSTOP, 0, 0, 90, 12);
    ASSERT_NE(Create(t), nullptr);
    // Without a default push button the default id is IDOK.
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    EXPECT_TRUE(Key(GetDlgItem(dialog, kEdit), VK_RETURN));
    ASSERT_EQ(seen.commands.size(), 1u);
    EXPECT_EQ(seen.commands[0].first, static_cast<WPARAM>(IDOK));
    EXPECT_EQ(seen.commands[0].second, 0);
}

TEST_F(DialogTest, MessagesOutsideTheDialogAreNotItsBusiness) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    HWND other = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    MSG msg{other, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_FALSE(IsDialogMessageW(dialog, &msg));
    EXPECT_TRUE(seen.commands.empty());
    DestroyWindow(other);
}

TEST_F(DialogTest, ClosingTheDialogChoosesCancel) {
    ASSERT_NE(Create(InputTemplate(0)), nullptr);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(dialog)) << "closing a dialog does not destroy it";
    ASSERT_TRUE(PumpUntil([&] { return !seen.commands.empty(); }));
    EXPECT_EQ(LOWORD(seen.commands[0].first), IDCANCEL);
}

TEST_F(DialogTest, EndDialogHidesAModelessDialogWithoutDestroyingIt) {
    ASSERT_NE(Create(InputTemplate(WS_VISIBLE)), nullptr);
    ASSERT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(EndDialog(dialog, IDOK));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(IsWindowVisible(dialog));
    // An ended dialog has no default button any more.
    EXPECT_EQ(HIWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), 0);
}

} // namespace
