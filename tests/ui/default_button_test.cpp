// The default push button of a form on both backends: creating one records its id in the
// form (also through a container), DM_GETDEFID finds it, Enter clicks it, and while Enter is
// with the dialog manager no other control's command gets through.
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/form_fixture.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;

// A window that takes every key and, on Enter, sends the click commands of the given buttons
// to its parent, as a control notifying its parent while it handles the key would.
class CommandingWnd : public CRixWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS;
        if (message == WM_KEYDOWN && wparam == VK_RETURN) {
            for (HWND button : buttons)
                answers.push_back(::SendMessageW(GetParent(GetSafeHwnd()), WM_COMMAND,
                                                 MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                                 reinterpret_cast<LPARAM>(button)));
            return 0;
        }
        return CRixWnd::WindowProc(message, wparam, lparam);
    }
    std::vector<HWND> buttons;
    std::vector<LRESULT> answers;
};

class DefaultButtonTest : public FormFixture {
protected:
    // A button child of parent with the id, one row of 30 pixels per id, a default push
    // button when asked.
    static void CreateButtonRow(TestControl& button, CRixWnd* parent, int32_t id, bool is_default) {
        ASSERT_EQ(
            CreateButton(button, *parent, id, is_default ? BS_DEFPUSHBUTTON : 0, 10, 10 + id * 30),
            1);
    }
};

TEST_F(DefaultButtonTest, ANestedDefaultButtonIsRecordedAndFound) {
    TestControl plain;
    CreateButtonRow(plain, box.GetNativeWnd(), 3, false);
    EXPECT_EQ(form.GetFormWnd()->m_nDefaultButtonId, 0);
    TestControl button;
    CreateButtonRow(button, box.GetNativeWnd(), 4, true);
    EXPECT_EQ(form.GetFormWnd()->m_nDefaultButtonId, 4);
    EXPECT_EQ(SendMessageW(form.GetSafeHwnd(), DM_GETDEFID, 0, 0), MAKELONG(4, DC_HASDEFID));
    // A hidden form has no default button to offer.
    ShowWindow(form.GetSafeHwnd(), SW_HIDE);
    EXPECT_NE(HIWORD(SendMessageW(form.GetSafeHwnd(), DM_GETDEFID, 0, 0)), DC_HASDEFID);
}

TEST_F(DefaultButtonTest, WhileEnterIsPendingOnlyTheDefaultButtonsCommandGetsThrough) {
    TestControl plain;
    CreateButtonRow(plain, form.GetNativeWnd(), 1, false);
    TestControl button;
    CreateButtonRow(button, form.GetNativeWnd(), 2, true);
    CommandingWnd commanding;
    ASSERT_TRUE(commanding.CreateEx(0, TEXT("BUTTON"), TEXT(""), WS_CHILD | WS_VISIBLE, 10, 200, 80,
                                    26, form.GetSafeHwnd(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(9))));
    commanding.buttons = {plain.GetSafeHwnd(), button.GetSafeHwnd()};

    // Enter for the control that takes it: its commands are sent while Enter is pending.
    PostMessageW(commanding.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PumpTranslated();
    EXPECT_EQ(commanding.answers, (std::vector<LRESULT>{1, 0}));
    EXPECT_EQ(plain.Wnd()->clicked, 0);
    EXPECT_EQ(button.Wnd()->clicked, 1);
    EXPECT_EQ(form.GetFormWnd()->m_bEnterPending, 0);

    // Only buttons are held back: another control's command during Enter (a dropped combo box
    // commits its pick with Enter) goes through.
    HWND list = CreateWindowExW(0, TEXT("LISTBOX"), TEXT(""), WS_CHILD | WS_VISIBLE, 100, 200, 80,
                                60, form.GetSafeHwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(5)), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    commanding.buttons = {plain.GetSafeHwnd(), list};
    commanding.answers.clear();
    PostMessageW(commanding.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PumpTranslated();
    EXPECT_EQ(commanding.answers, (std::vector<LRESULT>{1, 0}));
    EXPECT_EQ(plain.Wnd()->clicked, 0);
    DestroyWindow(list);

    // Outside Enter every control's command reaches it.
    EXPECT_EQ(SendMessageW(form.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                           reinterpret_cast<LPARAM>(plain.GetSafeHwnd())),
              0);
    EXPECT_EQ(plain.Wnd()->clicked, 1);

    // Enter elsewhere in the form clicks the default button.
    PostMessageW(form.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PumpTranslated();
    EXPECT_EQ(button.Wnd()->clicked, 2);
    EXPECT_EQ(plain.Wnd()->clicked, 1);
    commanding.DestroyWindow();
}

} // namespace
