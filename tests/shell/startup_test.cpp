// Start-up and the message loop with test startup classes: pre-translation that swallows,
// the idle counting, the end of the loop when the main window goes, a start that fails, and
// the start-up guard with its two message boxes and status -1.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/single_values.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/rix_exception.h"
#include "runtime/shell/rix_mfc_app.h"
#include "tests/support/exit_status.h"
#include "tests/support/process_exit.h"
#include "tests/support/message_box_watcher.h"

namespace {

constexpr UINT kSwallowed = WM_APP + 1;
constexpr UINT kDelivered = WM_APP + 2;
constexpr UINT kCloseMain = WM_APP + 3;
const WCHAR kClass[] = TEXT("KeyseqStartupTestWindow");

std::vector<UINT> g_delivered;
std::vector<LONG> g_idleCounts;
int g_appIdleCalls = 0;
bool g_exitHookCalled = false;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kSwallowed || message == kDelivered)
        g_delivered.push_back(message);
    if (message == kCloseMain) {
        DestroyWindow(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND CreateMainWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, kClass, TEXT("test"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A window program that swallows one message and ends the loop from its first idle call.
class SwallowingApp : public rg_lch_jb::rg_chkchxl {
    RIX_OBJECT(SwallowingApp, rg_lch_jb::rg_chkchxl, "test::SwallowingApp")
    RIX_NO_OWN_FIELDS(SwallowingApp)
public:
    int PreTranslateAppMessage(HWND, UINT message, uint64_t, int64_t, MSG*) override {
        return message == kSwallowed ? 0 : 1;
    }
    int OnAppIdle(DWORD) override {
        ++g_appIdleCalls;
        return 0;
    }
    void OnAppExit() override { g_exitHookCalled = true; }
};

int StartWithWindow(CRixUserApp*) {
    HWND hwnd = CreateMainWindow();
    if (hwnd == nullptr)
        return 0;
    RixGetApp()->m_hMainWnd = hwnd;
    PostMessageW(hwnd, kSwallowed, 0, 0);
    PostMessageW(hwnd, kDelivered, 0, 0);
    PostMessageW(hwnd, kCloseMain, 0, 0);
    return 1;
}

// A window program that closes its main window from its first idle call.
class ClosingApp : public rg_lch_jb::rg_chkchxl {
    RIX_OBJECT(ClosingApp, rg_lch_jb::rg_chkchxl, "test::ClosingApp")
    RIX_NO_OWN_FIELDS(ClosingApp)
public:
    int OnAppIdle(DWORD) override {
        ++g_appIdleCalls;
        PostMessageW(RixGetApp()->m_hMainWnd, kCloseMain, 0, 0);
        return 0;
    }
};

int StartQuietly(CRixUserApp*) {
    RixGetApp()->m_hMainWnd = CreateMainWindow();
    return 1;
}

int StartAndFail(CRixUserApp*) {
    RixGetApp()->m_hMainWnd = CreateMainWindow();
    return 0;
}

// Records every OnIdle count the loop asks for; the base's idle work wants one more round.
class CountingApp : public CRixMFCApp {
public:
    using CRixMFCApp::CRixMFCApp;
    BOOL OnIdle(LONG count) override {
        g_idleCounts.push_back(count);
        return CRixMFCApp::OnIdle(count);
    }
};

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        g_delivered.clear();
        g_idleCounts.clear();
        g_appIdleCalls = 0;
        g_exitHookCalled = false;
    }
    void TearDown() override {
        CRixAppInstance& instance = GetRixAppInstance();
        instance.DeleteCurrentUserApp();
        if (instance.IsComInitialized()) {
            instance.SetComInitialized(false);
            CoUninitialize();
        }
        UnregisterClassW(kClass, GetModuleHandleW(nullptr));
    }
};

TEST_F(Startup, PreTranslationThatReturnsZeroSwallowsTheMessage) {
    CRixMFCApp app({SwallowingApp::ClassRecord(), &StartWithWindow});
    EXPECT_EQ(app.WinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_EQ(g_delivered, std::vector<UINT>{kDelivered});
    EXPECT_TRUE(g_exitHookCalled);
    EXPECT_NE(GetRixAppInstance().GetCurrentUserApp(), nullptr);
    EXPECT_EQ(GetRixAppInstance().GetCurrentUserApp()->GetClassInfo(),
              SwallowingApp::ClassRecord());
}

TEST_F(Startup, AppIdleComesOnlyFromCountTwoAfterTheFrameworksOwnIdleWork) {
    CountingApp app({SwallowingApp::ClassRecord(), &StartWithWindow});
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.GetWindowProgram(), nullptr);
    // The framework's idle work wants count 0 and 1; the application's hook starts at 2.
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(app.OnIdle(1));
    EXPECT_EQ(g_appIdleCalls, 0);
    EXPECT_FALSE(app.OnIdle(2));
    EXPECT_EQ(g_appIdleCalls, 1);
    // A new idle phase starts over.
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(g_appIdleCalls, 1);
    DestroyWindow(app.m_hMainWnd);
}

TEST_F(Startup, ClosingTheMainWindowEndsTheLoopWithStatusZero) {
    CountingApp app({ClosingApp::ClassRecord(), &StartQuietly});
    EXPECT_EQ(app.WinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_EQ(app.m_hMainWnd, nullptr);
    EXPECT_EQ(g_appIdleCalls, 1);
    // The first idle phase counts 0, 1, 2 and reaches the application's hook at 2. (Messages
    // the system itself sends a new window may start a phase over first.)
    ASSERT_GE(g_idleCounts.size(), 3u);
    std::vector<LONG> last(g_idleCounts.end() - 3, g_idleCounts.end());
    EXPECT_EQ(last, (std::vector<LONG>{0, 1, 2}));
}

TEST_F(Startup, AProgramClassGetsNoHooks) {
    CRixMFCApp app({rg_lch_jb::rg_chxl::ClassRecord(), &StartWithWindow});
    EXPECT_EQ(app.WinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_EQ(app.GetWindowProgram(), nullptr);
    // Nothing swallowed: without a window program both messages arrive.
    EXPECT_EQ(g_delivered, (std::vector<UINT>{kSwallowed, kDelivered}));
}

TEST_F(Startup, AFailedStartDestroysTheMainWindowAndExits) {
    CRixMFCApp app({SwallowingApp::ClassRecord(), &StartAndFail});
    EXPECT_EQ(app.WinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_EQ(app.m_hMainWnd, nullptr);
    EXPECT_EQ(FindWindowW(kClass, nullptr), nullptr);
    EXPECT_TRUE(g_exitHookCalled);
}

TEST(UserApp, ProgramClassesKnowTheValueClasses) {
    EXPECT_EQ(CRixUserApp().GetValueClassTable(), nullptr);
    const ClassInfo* const* table = rg_lch_jb::rg_chkchxl().GetValueClassTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[0], rg_lch_jb::rg_zjl::ClassRecord());
    EXPECT_EQ(table[3], rg_lch_jb::rg_zhshl::ClassRecord());
    EXPECT_EQ(table[7], rg_lch_jb::rg_ljxl::ClassRecord());
    EXPECT_EQ(rg_lch_jb::rg_chkchxl().IsKindOf(CRixUserApp::ClassRecord()), 1);
    EXPECT_EQ(rg_lch_jb::rg_chxl().IsKindOf(rg_lch_jb::rg_chkchxl::ClassRecord()), 0);
}

TEST(RixAppInstance, KnowsTheProgramsModuleBeforeStartUp) {
    EXPECT_NE(GetRixAppInstance().GetInstanceHandle(), nullptr);
}

// The guard's boxes reach stderr on both backends, where the death test reads them: the
// simulation writes them there, and on Windows a watcher reads the real box, writes it there
// and presses OK.
const WCHAR kGuardCaption[] = TEXT("运行时异常");

int StartWithBrokenTable(CRixUserApp*) {
    static ExternalFunction table[] = {{TEXT("missing.dll"), "F", nullptr},
                                       {nullptr, nullptr, nullptr}};
    BindExternalFunctionTable(table, GetRixAppInstance().GetLoadedLibraries());
    return 1;
}

int StartWithMissingFunction(CRixUserApp*) {
    static ExternalFunction table[] = {{TEXT("Kernel32.dll"), "Nope", nullptr},
                                       {nullptr, nullptr, nullptr}};
    BindExternalFunctionTable(table, GetRixAppInstance().GetLoadedLibraries());
    return 1;
}

int StartAndThrowSomethingElse(CRixUserApp*) {
    throw std::runtime_error("not ours");
}

using StartupGuardDeathTest = Startup;

TEST_F(StartupGuardDeathTest, BindingFailuresAreShownAndEndWithMinusOne) {
    EXPECT_PROCESS_EXIT(
        {
            MessageBoxWatcher watcher(kGuardCaption);
            CRixMFCApp({SwallowingApp::ClassRecord(), &StartWithBrokenTable})
                .WinMain(GetModuleHandleW(nullptr));
        },
        ExitedWithMinusOne,
        "\\[MessageBox 运行时异常\\] 俘获到异常,代码值为: -1, 描述为: "
        "载入运行时所需要的外部动态链接库文件\"missing.dll\"失败!");
    EXPECT_PROCESS_EXIT(
        {
            MessageBoxWatcher watcher(kGuardCaption);
            CRixMFCApp({SwallowingApp::ClassRecord(), &StartWithMissingFunction})
                .WinMain(GetModuleHandleW(nullptr));
        },
        ExitedWithMinusOne,
        "俘获到异常,代码值为: -1, 描述为: "
        "在外部动态链接库\"Kernel32.dll\"中未找到所需要的输出函数\"Nope\"!");
}

TEST_F(StartupGuardDeathTest, OtherExceptionsAreShownAndEndWithMinusOne) {
    EXPECT_PROCESS_EXIT(
        {
            MessageBoxWatcher watcher(kGuardCaption);
            CRixMFCApp({SwallowingApp::ClassRecord(), &StartAndThrowSomethingElse})
                .WinMain(GetModuleHandleW(nullptr));
        },
        ExitedWithMinusOne, "\\[MessageBox 运行时异常\\] 程序在运行时抛出了未被管理的异常");
}

TEST_F(StartupGuardDeathTest, AStartupClassOutsideTheFamilyEndsWithMinusOne) {
    EXPECT_PROCESS_EXIT(
        CRixMFCApp({CRixMem::ClassRecord(), &StartWithWindow}).WinMain(GetModuleHandleW(nullptr)),
        ExitedWithMinusOne, "");
}

TEST_F(Startup, WithADebuggerTheExceptionTravelsOn) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    GTEST_SKIP() << "needs the simulation's debugger switch; a real debugger cannot be attached "
                    "from the test";
#else
    sim::SetDebuggerPresent(true);
    EXPECT_THROW(RunStartApplicationGuarded(&StartWithBrokenTable, nullptr), CRixException);
    sim::SetDebuggerPresent(false);
    FreeLoadedLibraries(GetRixAppInstance().GetLoadedLibraries());
#endif
}

} // namespace
