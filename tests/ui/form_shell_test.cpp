// What a form asks of the shell and the help viewer: F1 opens the form's help file (and the
// form closes the help when it goes), and destroying a form removes its notification-area
// icon. The real help viewer and notification area cannot be watched from a test program, so
// the calls are checked in the simulation's records; F1 without a help file to open runs on
// both backends.
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/form.h"
#include "tests/support/sim_only.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::CRixWinForm;

// A form with a child control that has the focus.
class HelpFormTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(form.CreateNativeWindow(params), 1);
        CreateParams child_params;
        child_params.parent = form.GetNativeWnd();
        child_params.width = 80;
        child_params.height = 26;
        ASSERT_EQ(child.CreateNativeWindow(child_params), 1);
    }
    void TearDown() override {
        form.GetFormWnd()->DestroyWindow();
        PumpTranslated();
    }
    // Presses F1 in the child; the number of key-downs that reached it.
    size_t PressF1() {
        const size_t before = child.Received(WM_KEYDOWN).size();
        PostMessageW(child.GetSafeHwnd(), WM_KEYDOWN, VK_F1, 1);
        PumpTranslated();
        return child.Received(WM_KEYDOWN).size() - before;
    }

    CreateParams params;
    CRixWinForm form;
    TestControl child;
    TempFolder folder;
};

TEST_F(HelpFormTest, F1WithoutAHelpFileToOpenIsAnOrdinaryKey) {
    EXPECT_EQ(PressF1(), 1u);
    form.GetFormWnd()->m_HelpFile = CWString((folder / TEXT("missing.hlp")).c_str());
    EXPECT_EQ(PressF1(), 1u);
    EXPECT_EQ(form.GetFormWnd()->m_bHelpShown, 0);
}

#if defined(KEYSEQ_PLATFORM_SIM)

class HelpRecordTest : public HelpFormTest {};

TEST_F(HelpRecordTest, F1OpensTheHelpFileAndTheFormClosesItWhenItGoes) {
    sim::ResetShellCalls();
    const WString path = folder / TEXT("键序台.hlp");
    ASSERT_TRUE(TempFolder::WriteBytes(path, "help"));
    CRWnd_WinForm& f = *form.GetFormWnd();
    f.m_HelpFile = CWString(path.c_str());
    EXPECT_EQ(PressF1(), 0u);
    EXPECT_EQ(f.m_bHelpShown, 1);
    f.m_nHelpContext = 12;
    EXPECT_EQ(PressF1(), 0u);
    HWND hwnd = form.GetSafeHwnd();
    f.DestroyWindow();
    EXPECT_EQ(f.m_bHelpShown, 0);
    const std::vector<sim::HelpCall> calls = sim::HelpCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].hwnd, hwnd);
    EXPECT_EQ(calls[0].file, path);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(calls[0].data, 0u);
    EXPECT_EQ(calls[1].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(calls[1].data, 12u);
    EXPECT_EQ(calls[2].hwnd, hwnd);
    EXPECT_FALSE(calls[2].hasFile);
    EXPECT_EQ(calls[2].command, static_cast<UINT>(HELP_QUIT));
}

TEST(FormTray, DestroyingTheFormRemovesItsNotificationIcon) {
    sim::ResetShellCalls();
    CRixWinForm plain;
    CreateParams params;
    ASSERT_EQ(plain.CreateNativeWindow(params), 1);
    plain.GetFormWnd()->DestroyWindow();
    EXPECT_TRUE(sim::NotifyIconCalls().empty());

    CRixWinForm form;
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    HWND hwnd = form.GetSafeHwnd();
    // The icon is put there by someone else; the form only removes it.
    NOTIFYICONDATAW added{};
    added.cbSize = NOTIFYICONDATAW_V3_SIZE;
    added.hWnd = hwnd;
    added.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &added));
    form.GetFormWnd()->m_hTrayIcon = LoadIconW(nullptr, IDI_APPLICATION);
    form.GetFormWnd()->DestroyWindow();
    EXPECT_EQ(form.GetFormWnd()->m_hTrayIcon, nullptr);
    const std::vector<sim::NotifyIconCall> calls = sim::NotifyIconCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls[1].size, 968u);
    EXPECT_EQ(calls[1].hwnd, hwnd);
    EXPECT_EQ(calls[1].id, 100u);
    EXPECT_TRUE(calls[1].tip.empty());
    EXPECT_TRUE(calls[1].result);
    PumpTranslated();
}

#else

KEYSEQ_SIM_ONLY_TEST(HelpRecordTest, F1OpensTheHelpFileAndTheFormClosesItWhenItGoes,
                     "the real help viewer would start; the simulation records the calls")
KEYSEQ_SIM_ONLY_TEST(FormTray, DestroyingTheFormRemovesItsNotificationIcon,
                     "the notification area cannot be read back; the simulation records it")

#endif

} // namespace
