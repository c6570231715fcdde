// The input dialog and the message box on both backends: the template chosen by the prompt,
// the texts put into it, typing and Enter, OK with an empty field, Cancel, Esc and closing,
// the field's character filter, and the focus given back after a message box. The dialogs
// are driven from inside their modal loops (dialog_driver.h), as a user would.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "runtime/ui/input_dialog.h"
#include "runtime/ui/input_dialog_ids.h"
#include "runtime/ui/input_dialog_templates.h"
#include "runtime/ui/message_box.h"
#include "tests/support/message_box_watcher.h"
#include "tests/ui/dialog_driver.h"
#include "tests/support/sim_only.h"
#include "tests/ui/test_controls.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::InputText;
using rg_lch_MFCjm_jb::ShowMessageBox;

using WText = std::basic_string<WCHAR>;

WText TextOf(HWND hwnd) {
    WCHAR buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

class InputDialogTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_EQ(CreateChild(owner), 1);
    }
    TestControl owner;
};

TEST_F(InputDialogTest, ThePromptChoosesTheTemplateAndTheTextsGoIntoIt) {
    struct Case {
        const WCHAR* prompt;
        const WCHAR* title;
        const WCHAR* shownTitle;
        bool hasPrompt;
    };
    const Case cases[] = {
        {TEXT("请输入方案名称"), TEXT("方案名称"), TEXT("方案名称"), true},
        {TEXT(""), TEXT("无提示"), TEXT("无提示"), false},
        // An empty title keeps the template's.
        {TEXT("提示"), TEXT(""), TEXT("请输入："), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "prompt empty: " << !c.hasPrompt);
        struct Seen {
            bool prompt = false, frame = false, passwordHidden = false, fieldFocused = false;
            WText promptText, fieldText;
            HWND owner = nullptr;
            DWORD fieldSelection = 0;
        } seen;
        DialogDriver driver(c.shownTitle, [&](HWND dialog) {
            HWND prompt = GetDlgItem(dialog, IDC_INPUT_PROMPT);
            HWND field = GetDlgItem(dialog, IDC_INPUT_EDIT);
            seen.prompt = prompt != nullptr;
            seen.frame = GetDlgItem(dialog, IDC_INPUT_FRAME) != nullptr;
            seen.promptText = prompt != nullptr ? TextOf(prompt) : WText();
            seen.fieldText = TextOf(field);
            seen.passwordHidden = !IsWindowVisible(GetDlgItem(dialog, IDC_INPUT_PASSWORD));
            seen.fieldFocused = GetFocus() == field;
            seen.fieldSelection = static_cast<DWORD>(SendMessageW(field, EM_GETSEL, 0, 0));
            seen.owner = GetParent(dialog);
            DialogDriver::PressKey(field, VK_ESCAPE);
        });
        CWString out(TEXT("x"));
        EXPECT_FALSE(
            InputText(&owner, out, CWString(c.prompt), CWString(c.title), CWString(TEXT("初始"))));
        ASSERT_TRUE(driver.Ran());
        EXPECT_EQ(seen.prompt, c.hasPrompt);
        EXPECT_EQ(seen.frame, c.hasPrompt);
        if (c.hasPrompt) {
            EXPECT_EQ(seen.promptText, WText(c.prompt));
        }
        EXPECT_EQ(seen.fieldText, WText(TEXT("初始")));
        EXPECT_TRUE(seen.passwordHidden);
        EXPECT_TRUE(seen.fieldFocused);
        EXPECT_EQ(seen.fieldSelection, static_cast<DWORD>(MAKELONG(0, 2))) << "all selected";
        EXPECT_EQ(seen.owner, parent.GetSafeHwnd()) << "owned by the control's top-level window";
    }
}

TEST_F(InputDialogTest, TypedTextAndEnterConfirm) {
    DialogDriver driver(TEXT("方案名称"), [](HWND dialog) {
        HWND field = GetDlgItem(dialog, IDC_INPUT_EDIT);
        DialogDriver::Type(field, TEXT("新方案1")); // replaces the selected initial text
        DialogDriver::PressKey(field, VK_RETURN);
    });
    CWString out;
    EXPECT_TRUE(InputText(&owner, out, CWString(TEXT("请输入方案名称")), CWString(TEXT("方案名称")),
                          CWString(TEXT("旧"))));
    EXPECT_EQ(WText(out.GetText()), WText(TEXT("新方案1")));
}

TEST_F(InputDialogTest, OkWithAnEmptyFieldConfirmsAnEmptyText) {
    DialogDriver driver(TEXT("空"), [](HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    CWString out(TEXT("earlier"));
    EXPECT_TRUE(InputText(&owner, out, CWString(), CWString(TEXT("空")), CWString()));
    EXPECT_TRUE(out.IsEmpty());
}

TEST_F(InputDialogTest, CancelEscAndClosingClearTheText) {
    struct Case {
        const char* name;
        void (*act)(HWND dialog);
    };
    const Case cases[] = {
        {"the Cancel button",
         [](HWND d) {
             PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(GetDlgItem(d, IDCANCEL)));
         }},
        {"Esc in the field",
         [](HWND d) { DialogDriver::PressKey(GetDlgItem(d, IDC_INPUT_EDIT), VK_ESCAPE); }},
        {"closing the dialog", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver driver(TEXT("取消测试"), [&](HWND dialog) {
            DialogDriver::Type(GetDlgItem(dialog, IDC_INPUT_EDIT), TEXT("abc"));
            c.act(dialog);
        });
        CWString out(TEXT("earlier"));
        EXPECT_FALSE(InputText(&owner, out, CWString(TEXT("提示")), CWString(TEXT("取消测试")),
                               CWString(TEXT("初始"))));
        EXPECT_TRUE(driver.Ran());
        EXPECT_TRUE(out.IsEmpty());
    }
}

TEST_F(InputDialogTest, WithoutAWindowTheDialogHasNoOwner) {
    TestControl windowless;
    HWND seen_owner = reinterpret_cast<HWND>(1);
    DialogDriver driver(TEXT("无主"), [&](HWND dialog) {
        seen_owner = GetParent(dialog);
        DialogDriver::PressKey(GetDlgItem(dialog, IDC_INPUT_EDIT), VK_RETURN);
    });
    CWString out;
    EXPECT_TRUE(InputText(&windowless, out, CWString(), CWString(TEXT("无主")), CWString()));
    EXPECT_EQ(seen_owner, nullptr);
}

// The field's filter by input type; the application always asks for plain text, the other
// types are the dialog's own.
TEST_F(InputDialogTest, TheFieldFiltersTypedCharactersByInputType) {
    struct Case {
        int64_t type;
        const WCHAR* typed;
        const WCHAR* kept;
    };
    const Case cases[] = {
        {CRDlg_Input::kText, TEXT("a-1.b"), TEXT("a-1.b")},
        {CRDlg_Input::kInteger, TEXT("a-1.b2"), TEXT("-12")},
        {CRDlg_Input::kDecimal, TEXT("a-1.b2"), TEXT("-1.2")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "input type " << c.type);
        CRDlg_Input dialog(IDD_INPUT_PLAIN, parent.GetSafeHwnd());
        ASSERT_TRUE(dialog.HasTemplate());
        dialog.m_nInputType = c.type;
        DialogDriver driver(TEXT("请输入："), [&](HWND d) {
            HWND field = GetDlgItem(d, IDC_INPUT_EDIT);
            DialogDriver::Type(field, c.typed);
            DialogDriver::PressKey(field, VK_RETURN);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(WText(dialog.m_Result.GetText()), WText(c.kept));
    }
}

#if defined(KEYSEQ_PLATFORM_SIM)
// A suite of its own: on Windows the test is declared as skipped, without the fixture.
using InputDialogBeepTest = InputDialogTest;
TEST_F(InputDialogBeepTest, ARefusedCharacterBeepsWithTheAsterisk) {
    sim::ClearMessageBeeps();
    CRDlg_Input dialog(IDD_INPUT_PLAIN, parent.GetSafeHwnd());
    dialog.m_nInputType = CRDlg_Input::kInteger;
    DialogDriver driver(TEXT("请输入："), [](HWND d) {
        HWND field = GetDlgItem(d, IDC_INPUT_EDIT);
        DialogDriver::Type(field, TEXT("1x2"));
        DialogDriver::PressKey(field, VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(sim::MessageBeeps(), std::vector<UINT>{MB_ICONASTERISK});
}
#else
KEYSEQ_SIM_ONLY_TEST(InputDialogBeepTest, ARefusedCharacterBeepsWithTheAsterisk,
                     "reads the simulation's record of beeps")
#endif

TEST_F(InputDialogTest, ADialogWhoseTemplateIsMissingSaysSo) {
    CRDlg_Input dialog(12345, nullptr);
    EXPECT_FALSE(dialog.HasTemplate());
}

// The templates as the program carries them: compiled resources on Windows, registered ones in
// the simulation, read back from the program's resources and compared with one table.
struct ItemRow {
    WORD id;
    WORD classAtom;
    const WCHAR* text;
    short x, y, cx, cy;
    DWORD style;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEditStyle = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

const WCHAR* ReadText(const WORD*& p) {
    const auto* text = reinterpret_cast<const WCHAR*>(p);
    while (*p != 0)
        ++p;
    ++p;
    return text;
}

void CheckTemplate(UINT id, short cx, short cy, const std::vector<ItemRow>& rows) {
    SCOPED_TRACE(testing::Message() << "template " << id);
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_NE(t, nullptr);
    ASSERT_NE(reinterpret_cast<const WORD*>(t)[1], 0xFFFF) << "the plain form, not the extended";
    EXPECT_EQ(t->style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                           DS_CENTER | DS_SETFONT));
    EXPECT_EQ(t->cx, cx);
    EXPECT_EQ(t->cy, cy);
    ASSERT_EQ(t->cdit, rows.size());
    const auto* p = reinterpret_cast<const WORD*>(t + 1);
    EXPECT_EQ(*p++, 0) << "no menu";
    EXPECT_EQ(*p++, 0) << "the system's dialog class";
    EXPECT_EQ(WText(ReadText(p)), WText(TEXT("请输入：")));
    EXPECT_EQ(*p++, 8) << "point size";
    EXPECT_EQ(WText(ReadText(p)), WText(TEXT("MS Shell Dlg")));
    for (const ItemRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "item " << row.id);
        p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t{3});
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        EXPECT_EQ(item->id, row.id);
        EXPECT_EQ(item->style, row.style);
        EXPECT_EQ(item->x, row.x);
        EXPECT_EQ(item->y, row.y);
        EXPECT_EQ(item->cx, row.cx);
        EXPECT_EQ(item->cy, row.cy);
        p = reinterpret_cast<const WORD*>(item + 1);
        // The class by its atom (as we build it) or by its name (as the resource compiler
        // writes a CONTROL statement).
        if (*p == 0xFFFF) {
            EXPECT_EQ(p[1], row.classAtom);
            p += 2;
        } else {
            WText name = ReadText(p);
            for (WCHAR& ch : name)
                ch = (ch >= 'a' && ch <= 'z') ? static_cast<WCHAR>(ch - 'a' + 'A') : ch;
            const WCHAR* expected = row.classAtom == 0x80   ? TEXT("BUTTON")
                                    : row.classAtom == 0x81 ? TEXT("EDIT")
                                                            : TEXT("STATIC");
            EXPECT_EQ(name, WText(expected));
        }
        if (*p == 0xFFFF)
            p += 2;
        else
            EXPECT_EQ(WText(ReadText(p)), WText(row.text));
        p += 1 + *p / sizeof(WORD); // creation data
    }
}

TEST(InputDialogTemplates, AreTheProgramsDialogResources) {
    RegisterInputDialogTemplates();
    const DWORD kStatic = kChild | WS_GROUP;
    const ItemRow ok{
        IDOK, 0x80, TEXT("确认输入(&O)"), 63, 66, 55, 19, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON};
    const ItemRow cancel{IDCANCEL, 0x80, TEXT("取消(&C)"), 134, 66, 55, 19, kChild | WS_TABSTOP};
    CheckTemplate(IDD_INPUT_PROMPT, 252, 92,
                  {{IDC_INPUT_FRAME, 0x82, TEXT(""), 7, 7, 238, 35, kStatic | SS_SUNKEN},
                   {IDC_INPUT_PROMPT, 0x82, TEXT(""), 12, 11, 229, 27, kStatic | SS_LEFT},
                   {IDC_INPUT_EDIT, 0x81, TEXT(""), 7, 45, 238, 12, kEditStyle},
                   {IDC_INPUT_PASSWORD, 0x81, TEXT(""), 7, 45, 238, 12, kEditStyle | ES_PASSWORD},
                   ok,
                   cancel});
    ItemRow small_ok = ok, small_cancel = cancel;
    small_ok.x = 82;
    small_ok.y = 30;
    small_cancel.x = 151;
    small_cancel.y = 30;
    CheckTemplate(IDD_INPUT_PLAIN, 214, 56,
                  {{IDC_INPUT_EDIT, 0x81, TEXT(""), 7, 7, 200, 12, kEditStyle},
                   {IDC_INPUT_PASSWORD, 0x81, TEXT(""), 7, 7, 200, 12, kEditStyle | ES_PASSWORD},
                   small_ok,
                   small_cancel});
}

// The message box gives the focus back to the window that had it: the box takes the focus
// while it is open (the simulation's answerer does what the real box does).
TEST_F(InputDialogTest, AfterAMessageBoxTheFocusIsBackWhereItWas) {
    HWND field = CreateWindowExW(0, TEXT("Edit"), TEXT(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5,
                                 60, 80, 20, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(field, nullptr);
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetMessageBoxAnswerer([&](const sim::MessageBoxCall& call) {
        EXPECT_EQ(call.owner, owner.GetSafeHwnd());
        EXPECT_EQ(call.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        SetFocus(nullptr);
        return IDOK;
    });
#endif
    int answer = 0;
    {
        MessageBoxWatcher watcher(TEXT("提示信息"));
        answer = ShowMessageBox(&owner, CWString(TEXT("方案已保存")), MB_OK | MB_ICONINFORMATION,
                                CWString(TEXT("提示信息")));
    }
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetMessageBoxAnswerer(nullptr);
#endif
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(GetFocus(), field);
    DestroyWindow(field);
}

} // namespace
