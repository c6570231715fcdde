// Entry point of keyseq.exe. The process starts through the runtime: the runtime instance and
// the application object exist before this code runs; the application object creates the
// startup object (rg_qdl, app/startup.h) through its class record and runs its
// StartApplication under the start-up guard, which opens the main window "键序台". Closing the
// window ends the message loop, and the exit status is 0.
//
// The same code builds for the simulated platform. The simulation has no screen and no user
// to close the window, so the host program runs only with --smoke: it goes through the very
// same start-up, closes the main window with WM_CLOSE as a user would, and ends with the
// loop's status.
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

} // namespace

// Constructed after the runtime instance, destroyed before it.
static CRixMFCApp theApp({rg_qdl::ClassRecord(), kStart});

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
    return theApp.WinMain(GetModuleHandleW(nullptr));
}
#endif
