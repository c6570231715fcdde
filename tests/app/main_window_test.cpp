// The program's start-up with its real startup class on both backends: the main form is the
// loop's main window, titled "键序台", with a client area of 500 × 320 centred on its monitor
// and the program's icon 500; Esc leaves it open, and closing it ends the loop with status 0.
// On the host, a program without icon 500 shows the forms' icon 100.
#include <gtest/gtest.h>

#include "app/window/main_form.h"
#include "app/startup.h"
#include "platform/platform.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/rix_mfc_app.h"
#include "tests/support/sim_only.h"
#include "tests/support/test_resources.h"
#include "tests/ui/ui_pump.h"

namespace {

using rg_lch_jxt::rg_qdl;
using rg_lch_jxt::rg_wdzhchk;

HICON ProgramIcon(int id) {
    return LoadIconW(GetRixAppInstance().GetInstanceHandle(), MAKEINTRESOURCEW(id));
}

HICON WindowIcon(HWND hwnd, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, which, 0));
}

CWString WindowText(HWND hwnd) {
    WCHAR text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    return CWString(text);
}

void PostKey(HWND hwnd, WPARAM key) {
    PostMessageW(hwnd, WM_KEYDOWN, key, 0x00010001);
    PostMessageW(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0010001u));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestResources(); }
    void TearDown() override {
        // Deleting the startup object ends the main window object and with it the window.
        CRixAppInstance& instance = GetRixAppInstance();
        instance.DeleteCurrentUserApp();
        if (instance.IsComInitialized()) {
            instance.SetComInitialized(false);
            CoUninitialize();
        }
        keyseq_test::PumpTranslated();
    }
};

TEST_F(MainWindow, StartUpOpensTheFormAsTheLoopsMainWindowAndClosingItEndsWithZero) {
    CRixMFCApp app({rg_qdl::ClassRecord(), &rg_qdl::StartApplication});
    ASSERT_TRUE(app.InitInstance());
    auto* startup = dynamic_cast<rg_qdl*>(GetRixAppInstance().GetCurrentUserApp());
    ASSERT_NE(startup, nullptr);
    HWND hwnd = app.m_hMainWnd;
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(hwnd, startup->GetMainWindow().GetSafeHwnd());

    EXPECT_TRUE(WindowText(hwnd).IsEqual(CWString(TEXT("键序台"))));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetParent(hwnd), nullptr);
    RECT client{};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right - client.left, 500);
    EXPECT_EQ(client.bottom - client.top, 320);
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(hwnd, &outer));
    RECT screen = CRixAppInstance::GetMonitorRect(hwnd);
    EXPECT_EQ(outer.left, (screen.left + screen.right - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (screen.top + screen.bottom - (outer.bottom - outer.top)) / 2);

    // Icon 500, not the forms' icon 100 (shared icons: one handle per resource).
    HICON icon = ProgramIcon(KEYSEQ_RES_MAIN_WINDOW_ICON);
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon, ProgramIcon(KEYSEQ_RES_FORM_ICON));
    EXPECT_EQ(WindowIcon(hwnd, ICON_BIG), icon);
    EXPECT_EQ(WindowIcon(hwnd, ICON_SMALL), icon);

    // Esc reaches the form's pre-translation and leaves the window open.
    PostKey(hwnd, VK_ESCAPE);
    keyseq_test::PumpTranslated();
    EXPECT_TRUE(IsWindow(hwnd));

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(app.m_hMainWnd, nullptr);
}

TEST_F(MainWindow, EscClosesAFormThatAllowsIt) {
    // The same key on the main form with Esc closing switched back on: the check above would
    // notice if the key never reached the form.
    rg_wdzhchk form;
    form.GetFormWnd()->m_bEscCloses = 1;
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    HWND hwnd = form.GetSafeHwnd();
    PostKey(hwnd, VK_ESCAPE);
    keyseq_test::PumpTranslated();
    EXPECT_FALSE(IsWindow(hwnd));
}

#if defined(KEYSEQ_PLATFORM_SIM)
TEST(MainWindowIcon, WithoutIcon500TheFormShowsIcon100) {
    // The program's resources without icon 500, the fixtures back afterwards whatever happens.
    struct Restore {
        ~Restore() {
            sim::ResetResources();
            RegisterTestResources();
        }
    } restore;
    sim::ResetResources();
    sim::RegisterResource(RT_GROUP_ICON, MAKEINTRESOURCEW(KEYSEQ_RES_FORM_ICON), {0});
    rg_wdzhchk form;
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    HICON fallback = ProgramIcon(KEYSEQ_RES_FORM_ICON);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(WindowIcon(form.GetSafeHwnd(), ICON_BIG), fallback);
    EXPECT_EQ(WindowIcon(form.GetSafeHwnd(), ICON_SMALL), fallback);
}
#else
KEYSEQ_SIM_ONLY_TEST(MainWindowIcon, WithoutIcon500TheFormShowsIcon100,
                     "the Windows test program cannot drop its icon 500 at run time")
#endif

} // namespace
