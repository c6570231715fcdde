// Entry point of keyseq.exe. The process starts through the runtime: the runtime instance and
// the application object exist before this code runs; the application object creates the
// startup object through its class record and runs its StartApplication under the start-up
// guard: bind the external function table, open the main window titled "键序台". Closing the
// window ends the message loop, and the exit status is 0.
//
// FIXME: the startup class opens a plain window until the main form of the window framework
// exists.
//
// The same code builds for the simulated platform. The simulation has no screen and no user
// to close the window, so the host program runs only with --smoke: it goes through the very
// same start-up, closes the window with WM_CLOSE as a user would, and ends with the loop's
// status.
#include "platform/platform.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/rix_mfc_app.h"
#include "runtime/shell/user_app.h"

namespace {

constexpr const WCHAR* kMainWindowClass = TEXT("KeyseqMainWindow");
constexpr const WCHAR* kMainWindowTitle = TEXT("键序台");
constexpr int kMainIconId = 500;

#if defined(KEYSEQ_PLATFORM_SIM)
bool g_close_at_once = false;
#endif

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

} // namespace

namespace rg_lch_jxt {

class PlainStartup : public rg_lch_jb::rg_chkchxl {
    RIX_OBJECT(PlainStartup, rg_lch_jb::rg_chkchxl, "rg_lch_jxt::PlainStartup")
    RIX_NO_OWN_FIELDS(PlainStartup)
public:
    static int StartApplication(CRixUserApp* app);
};

int PlainStartup::StartApplication(CRixUserApp*) {
    if (!BindExternalFunctions(GetRixAppInstance().GetLoadedLibraries()))
        return 0;
    HINSTANCE instance = GetRixAppInstance().GetInstanceHandle();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIconId));
    if (wc.hIcon == nullptr)
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kMainWindowClass;
    if (RegisterClassExW(&wc) == 0)
        return 0;
    HWND hwnd =
        CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr)
        return 1; // no main window registered: start-up ends without a loop
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    RixGetApp()->m_hMainWnd = hwnd;
#if defined(KEYSEQ_PLATFORM_SIM)
    if (g_close_at_once)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
#endif
    return 1;
}

} // namespace rg_lch_jxt

// Constructed after the runtime instance, destroyed before it.
static CRixMFCApp theApp({rg_lch_jxt::PlainStartup::ClassRecord(),
                          &rg_lch_jxt::PlainStartup::StartApplication});

#if defined(KEYSEQ_PLATFORM_WIN32)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    theApp.SetArguments(__argc, __wargv);
    return theApp.WinMain(instance);
}
#else
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--smoke") != 0) {
        std::fputs("keyseq: the simulated platform has no screen; run with --smoke to open "
                   "and close the main window once\n",
                   stderr);
        return 2;
    }
    g_close_at_once = true;
    return theApp.WinMain(GetModuleHandleW(nullptr));
}
#endif
