// The dialog window object and its modal loop on both backends: initialisation, control
// binding, results of DoModal, the keys of the dialog manager inside our own loop, the
// pre-translation of our windows while the dialog is open, the owner's state, nested dialogs
// and WM_QUIT. Every modal run is ended from inside (posted messages, timers), so the tests
// need no user.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/platform.h"
#include "runtime/shell/win_app.h"
#include "runtime/ui/native/dialog.h"

namespace {

constexpr WORD kEdit = 101;
constexpr UINT kRun = WM_APP + 1; // posted to a dialog: run its test step

// A control object that counts the texts set through it and records the key messages offered
// to its pre-translation, swallowing one key if asked.
class CountingWnd : public CRixWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_SETTEXT)
            ++texts_set;
        return CRixWnd::WindowProc(message, wparam, lparam);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message != WM_KEYDOWN)
            return FALSE;
        keys.push_back(msg->wParam);
        return msg->wParam == swallow ? TRUE : FALSE;
    }
    int texts_set = 0;
    std::vector<WPARAM> keys;
    WPARAM swallow = 0;
};

class TestDialog : public CRixDialog {
public:
    // Without a font the object is bound at WM_INITDIALOG, with one at WM_SETFONT before it.
    explicit TestDialog(HWND owner = nullptr, bool font = true) : CRixDialog(owner) {
        Template().SetStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0);
        Template().SetRect(20, 20, 160, 60);
        Template().SetTitle(TEXT("测试"));
        if (font)
            Template().SetFont(TEXT("MS Shell Dlg"), 8);
        Template().AddItem(CRixDialogTemplate::kEdit, TEXT("起始"), kEdit,
                           WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 150, 12);
        Template().AddItem(CRixDialogTemplate::kButton, TEXT("确定"), IDOK,
                           WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 30, 50, 14);
        Template().AddItem(CRixDialogTemplate::kButton, TEXT("取消"), IDCANCEL,
                           WS_VISIBLE | WS_TABSTOP, 100, 30, 50, 14);
    }

    void DoDataExchange() override { bound = BindControl(kEdit, edit) != FALSE; }

    BOOL OnInitDialog() override {
        const BOOL answer = CRixDialog::OnInitDialog();
        init_called = true;
        visible_at_init = IsWindowVisible(GetSafeHwnd()) != FALSE;
        edit_at_init = GetDlgItem(kEdit) != nullptr;
        // The window that owns the dialog (GetParent answers the owner of a pop-up).
        HWND owner = GetParent(GetSafeHwnd());
        owner_enabled_at_init = owner != nullptr && IsWindowEnabled(owner);
        if (on_init)
            on_init(*this);
        return answer;
    }

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == kRun && on_run) {
            on_run(*this);
            return 0;
        }
        if (message == WM_TIMER && wparam == 1) {
            KillTimer(GetSafeHwnd(), 1);
            EndDialog(static_cast<int>(timer_result));
            return 0;
        }
        return CRixDialog::WindowProc(message, wparam, lparam);
    }

    void OnCancel() override {
        ++cancels;
        CRixDialog::OnCancel();
    }

    // Posts a message to the dialog's edit, as if typed there.
    void PostToEdit(UINT message, WPARAM wparam) {
        PostMessageW(GetDlgItem(kEdit), message, wparam, 1);
    }

    CountingWnd edit;
    std::function<void(TestDialog&)> on_init;
    std::function<void(TestDialog&)> on_run;
    INT_PTR timer_result = 0;
    bool bound = false;
    bool init_called = false;
    bool visible_at_init = true;
    bool edit_at_init = false;
    bool owner_enabled_at_init = true;
    int cancels = 0;
};

class DialogObjectTest : public testing::Test {
protected:
    void TearDown() override {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(DialogObjectTest, InitialisationBindsTheControlsBeforeTheDialogIsShown) {
    for (bool font : {true, false}) {
        SCOPED_TRACE(font ? "with a template font" : "without a font");
        TestDialog dialog(nullptr, font);
        dialog.timer_result = 42;
        dialog.on_init = [](TestDialog& d) {
            d.edit.SetWindowText(TEXT("方案"));
            SetTimer(d.GetSafeHwnd(), 1, 10, nullptr);
        };
        EXPECT_EQ(dialog.DoModal(), 42) << "the EndDialog result";
        EXPECT_TRUE(dialog.init_called);
        EXPECT_TRUE(dialog.edit_at_init);
        EXPECT_FALSE(dialog.visible_at_init);
        EXPECT_TRUE(dialog.bound);
        EXPECT_EQ(dialog.edit.texts_set, 1) << "the bound edit's object saw its text being set";
        // The window is gone and the objects are free for another run.
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
        EXPECT_EQ(dialog.edit.GetSafeHwnd(), nullptr);
    }
}

TEST_F(DialogObjectTest, KeysAndCommandsEndTheModalLoopWithTheirResults) {
    struct Case {
        const char* name;
        std::function<void(TestDialog&)> act;
        INT_PTR result;
    };
    const Case cases[] = {
        {"Esc in the edit", [](TestDialog& d) { d.PostToEdit(WM_KEYDOWN, VK_ESCAPE); }, IDCANCEL},
        {"Enter in the edit chooses the default button",
         [](TestDialog& d) { d.PostToEdit(WM_KEYDOWN, VK_RETURN); }, IDOK},
        {"closing the dialog", [](TestDialog& d) { PostMessageW(d.GetSafeHwnd(), WM_CLOSE, 0, 0); },
         IDCANCEL},
        {"the OK button's command",
         [](TestDialog& d) {
             PostMessageW(d.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          reinterpret_cast<LPARAM>(d.GetDlgItem(IDOK)));
         },
         IDOK},
        {"EndDialog during the initialisation", [](TestDialog& d) { d.EndDialog(7); }, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dialog;
        dialog.on_init = c.act;
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.cancels, c.result == IDCANCEL ? 1 : 0);
    }
}

TEST_F(DialogObjectTest, OurWindowsPreTranslateQueuedKeysBeforeTheDialogManager) {
    TestDialog dialog;
    dialog.edit.swallow = VK_ESCAPE;
    dialog.on_init = [](TestDialog& d) {
        d.PostToEdit(WM_KEYDOWN, 'A');
        d.PostToEdit(WM_KEYDOWN, VK_ESCAPE); // swallowed: no Cancel
        PostMessageW(d.GetSafeHwnd(), kRun, 0, 0);
    };
    dialog.on_run = [](TestDialog& d) { d.PostToEdit(WM_KEYDOWN, VK_RETURN); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.edit.keys, (std::vector<WPARAM>{'A', VK_ESCAPE, VK_RETURN}));
    EXPECT_EQ(dialog.cancels, 0);
}

TEST_F(DialogObjectTest, TheOwnerIsDisabledWhileTheDialogRunsAndGetsItsFocusBack) {
    HWND owner = CreateWindowExW(0, TEXT("Static"), TEXT("owner"), WS_POPUP | WS_VISIBLE, 50, 50,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HWND field = CreateWindowExW(0, TEXT("Edit"), TEXT(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                 10, 100, 20, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(field, nullptr);
    SetActiveWindow(owner);
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);

    TestDialog dialog(field); // a child names its top-level window as the owner
    dialog.on_init = [](TestDialog& d) { PostMessageW(d.GetSafeHwnd(), kRun, 0, 0); };
    bool owner_enabled_in_loop = true;
    HWND focus_in_loop = nullptr;
    dialog.on_run = [&](TestDialog& d) {
        owner_enabled_in_loop = IsWindowEnabled(owner) != FALSE;
        focus_in_loop = GetFocus();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(dialog.owner_enabled_at_init);
    EXPECT_FALSE(owner_enabled_in_loop);
    EXPECT_NE(focus_in_loop, field);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetFocus(), field);
    DestroyWindow(owner);
}

TEST_F(DialogObjectTest, ADialogOpensADialogAndBothLoopsEndInOrder) {
    TestDialog outer;
    INT_PTR inner_result = 0;
    bool outer_enabled_during_inner = true;
    outer.on_init = [](TestDialog& d) { PostMessageW(d.GetSafeHwnd(), kRun, 0, 0); };
    outer.on_run = [&](TestDialog& d) {
        TestDialog inner(d.GetSafeHwnd());
        inner.timer_result = 5;
        inner.on_init = [&](TestDialog& i) {
            outer_enabled_during_inner = IsWindowEnabled(d.GetSafeHwnd()) != FALSE;
            SetTimer(i.GetSafeHwnd(), 1, 10, nullptr);
        };
        inner_result = inner.DoModal();
        d.EndDialog(static_cast<int>(inner_result) + 1);
    };
    EXPECT_EQ(outer.DoModal(), 6);
    EXPECT_EQ(inner_result, 5);
    EXPECT_FALSE(outer_enabled_during_inner);
}

TEST_F(DialogObjectTest, QuitDuringANestedModalLoopEndsBothAndReachesTheOuterLoop) {
    TestDialog outer;
    INT_PTR inner_result = 0;
    outer.on_init = [](TestDialog& d) { PostMessageW(d.GetSafeHwnd(), kRun, 0, 0); };
    outer.on_run = [&](TestDialog& d) {
        TestDialog inner(d.GetSafeHwnd());
        inner.on_init = [](TestDialog&) { PostQuitMessage(9); };
        inner_result = inner.DoModal();
    };
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(inner_result, -1);
    // The quit message is still there for the application's loop, with its code.
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(DialogObjectTest, ADialogThatCannotBeCreatedAnswersMinusOneAndLeavesTheOwnerEnabled) {
    HWND owner = CreateWindowExW(0, TEXT("Static"), TEXT("owner"), WS_POPUP, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    TestDialog dialog(owner);
    dialog.Template().AddItem(TEXT("KeyseqNoSuchClass"), nullptr, 9, WS_VISIBLE, 0, 0, 5, 5);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.init_called);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(DialogObjectTest, ADialogDestroyedFromOutsideAbortsItsLoop) {
    TestDialog dialog;
    dialog.on_init = [](TestDialog& d) { PostMessageW(d.GetSafeHwnd(), kRun, 0, 0); };
    dialog.on_run = [](TestDialog& d) { d.DestroyWindow(); };
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogObjectTest, AModelessDialogTakesItsKeysThroughPreTranslation) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.init_called);
    EXPECT_TRUE(IsWindowVisible(dialog.GetSafeHwnd()));
    HWND edit = dialog.GetDlgItem(kEdit);
    ASSERT_EQ(GetFocus(), edit);
    MSG tab{edit, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_TRUE(WalkPreTranslateTree(nullptr, &tab));
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDOK));
    MSG esc{dialog.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(WalkPreTranslateTree(nullptr, &esc));
    EXPECT_EQ(dialog.cancels, 1);
    // Ending a modeless dialog hides it; destroying it is its owner's business.
    EXPECT_TRUE(IsWindow(dialog.GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(dialog.GetSafeHwnd()));
    dialog.DestroyWindow();
}

} // namespace
