// Entry point of keyseq.exe. The process starts through the runtime: the runtime instance and
// the application object exist before this code runs; the application object creates the
// startup object (rg_qdl, app/startup.h) through its class record and runs its
// StartApplication under the start-up guard, which opens the main window "键序台". Closing the
// window ends the message loop, and the exit status is 0.
//
// Before any of that, the program makes sure it is the only copy of the session
// (app/single_instance.h): a second start hands its scheme name to the running copy and ends
// with status 0 (1 when the running copy does not answer, which a message box says).
//
// The same code builds for the simulated platform. The simulation has no screen and no user
// to close the window, so the host program runs only with --smoke: it goes through the very
// same start-up, closes the main window with WM_CLOSE as a user would, and ends with the
// loop's status.
#include "app/single_instance.h"
#include "app/startup.h"
#include "platform/platform.h"
#include "runtime/shell/rix_mfc_app.h"

namespace {

using rg_lch_jxt::rg_qdl;

#if defined(KEYSEQ_PLATFORM_SIM)
int StartAndClose(CRixUserApp* app) {
    int started = rg_qdl::StartApplication(app);
    if (started != 0 && RixGetApp()->m_hMainWnd != nullptr)
        PostMessageW(RixGetApp()->m_hMainWnd, WM_CLOSE, 0, 0);
    return started;
}
constexpr auto kStart = &StartAndClose;
#else
constexpr auto kStart = &rg_qdl::StartApplication;
#endif

constexpr const WCHAR* kNoticeCaption = TEXT("提示信息");
constexpr const WCHAR* kNoAnswer =
    TEXT("键序台已在运行，但它的窗口没有应答。请等它应答后再试，或先将它关闭。");

// Whether this process goes on to run the program; when not, *status is its exit status.
// The first copy's mutex handle stays open until the process ends.
bool RunsHere(int* status) {
    static HANDLE first_copy = nullptr;
    switch (ClaimFirstCopyOrHandOver(kFirstCopyMutexName, GetCommandLineW(), kHandOverWaitMs,
                                     &first_copy)) {
    case StartRole::kFirstCopy:
        return true;
    case StartRole::kHandedOver:
        *status = 0;
        return false;
    case StartRole::kNoAnswer:
        break;
    }
    MessageBoxW(nullptr, kNoAnswer, kNoticeCaption, MB_OK | MB_ICONWARNING);
    *status = 1;
    return false;
}

} // namespace

// Constructed after the runtime instance, destroyed before it.
static CRixMFCApp theApp({rg_qdl::ClassRecord(), kStart});

#if defined(KEYSEQ_PLATFORM_WIN32) && defined(__GLIBCXX__)
#include <cstdlib>
#include <exception>

// The terminate handler of a program linked with the static libstdc++ of mingw-w64. The
// library's own handler prints the uncaught exception's type name before it aborts, and for
// that it brings the whole name demangler with it, 70 KB of keyseq.exe. A window program
// has no console to print to, so it ends the same way without the text. (The start-up guard,
// runtime/shell/rix_mfc_app.h, shows the exceptions of the start-up in a message box.)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif

#if defined(KEYSEQ_PLATFORM_WIN32)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int status = 0;
    if (!RunsHere(&status))
        return status;
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
    int status = 0;
    if (!RunsHere(&status))
        return status;
    return theApp.WinMain(GetModuleHandleW(nullptr));
}
#endif
