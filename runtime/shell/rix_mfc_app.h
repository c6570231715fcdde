// CRixMFCApp, the program's application object: starts the user application through its
// class record under the start-up guard, and hands the loop's pre-translation, idle and exit
// to it when it is a window program class (rg_chkchxl).
#pragma once

#include "platform/platform.h"
#include "runtime/shell/user_app.h"
#include "runtime/shell/win_app.h"

class CRixMFCApp : public CRixWinApp {
public:
    explicit CRixMFCApp(const RixStartupClass& startup) : m_Startup(startup) {}
    ~CRixMFCApp() override = default;

    // The process arguments, copied into the runtime instance by InitInstance.
    void SetArguments(int64_t count, WCHAR** vector) {
        m_nArgc = count;
        m_ppArgv = vector;
    }

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle(LONG count) override;
    int ExitInstance() override;

    // The window program object, or null.
    rg_lch_jb::rg_chkchxl* GetWindowProgram() const { return m_pWindowProgram; }

private:
    RixStartupClass m_Startup;
    rg_lch_jb::rg_chkchxl* m_pWindowProgram = nullptr;
    int64_t m_nArgc = 0;
    WCHAR** m_ppArgv = nullptr;
    // OnIdle's two values: the framework's idle work still wants calls; when the phase began.
    bool m_bFrameworkIdlePending = false;
    DWORD m_nIdleStart = 0;
    bool m_bOleInitialized = false;
};

// The start-up guard: runs StartApplication on the user application. Without a debugger, a
// CRixException or any other exception is shown in a message box captioned "运行时异常" and
// ends the process with status -1; with a debugger the exception travels on to it.
int RunStartApplicationGuarded(int (*start)(CRixUserApp*), CRixUserApp* app);
