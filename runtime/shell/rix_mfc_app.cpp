// Start-up through the class record, the start-up guard, and the loop hooks.
#include "runtime/shell/rix_mfc_app.h"

#include <cstdlib>

#include "runtime/core/wstring.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/rix_exception.h"

namespace {
const WCHAR kGuardCaption[] = TEXT("运行时异常");
const WCHAR kCaughtFormat[] = TEXT("俘获到异常,代码值为: %d, 描述为: %s");
const WCHAR kUnmanaged[] = TEXT("程序在运行时抛出了未被管理的异常");
} // namespace

int RunStartApplicationGuarded(int (*start)(CRixUserApp*), CRixUserApp* app) {
    if (IsDebuggerPresent())
        return start(app);
    try {
        return start(app);
    } catch (const CRixException& e) {
        CWString text;
        text.Format(kCaughtFormat, static_cast<int>(e.GetCode()), e.GetDescription().GetText());
        MessageBoxW(nullptr, text.GetText(), kGuardCaption, MB_ICONERROR);
        std::exit(-1);
    } catch (...) {
        MessageBoxW(nullptr, kUnmanaged, kGuardCaption, MB_ICONERROR);
        std::exit(-1);
    }
}

BOOL CRixMFCApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    CRixAppInstance& instance = GetRixAppInstance();
    instance.SetInstanceHandle(m_hInstance);
    instance.SetArguments(m_nArgc, m_ppArgv);

    CRixObject* object = m_Startup.pClassInfo->pfnCreate();
    if (!object->IsKindOf(CRixUserApp::ClassRecord())) {
        object->DeleteThis();
        std::exit(-1);
    }
    auto* app = static_cast<CRixUserApp*>(object);
    instance.SetCurrentUserApp(app);
    if (object->IsKindOf(rg_lch_jb::rg_chkchxl::ClassRecord()))
        m_pWindowProgram = static_cast<rg_lch_jb::rg_chkchxl*>(object);

    int started = RunStartApplicationGuarded(m_Startup.pfnStartApplication, app);
    // OLE and COM once the start-up has run, before the loop handles the first message: the
    // start-up makes no OLE object (the main window has none), and ole32 with rpcrt4 and
    // combase, loaded at this first call (platform/win32/win32_late_imports.cpp), would hold
    // back the main window by 10 to 15 ms under Wine.
    m_bOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    instance.SetComInitialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    return started != 0 && m_hMainWnd != nullptr ? TRUE : FALSE;
}

BOOL CRixMFCApp::PreTranslateMessage(MSG* msg) {
    if (m_pWindowProgram == nullptr)
        return CRixWinApp::PreTranslateMessage(msg);
    if (m_pWindowProgram->PreTranslateAppMessage(msg->hwnd, msg->message,
                                                 static_cast<uint64_t>(msg->wParam),
                                                 static_cast<int64_t>(msg->lParam), msg) == 0)
        return TRUE;
    return CRixWinApp::PreTranslateMessage(msg);
}

BOOL CRixMFCApp::OnIdle(LONG count) {
    if (m_pWindowProgram == nullptr)
        return CRixWinApp::OnIdle(count);
    if (count == 0) {
        m_bFrameworkIdlePending = true;
        m_nIdleStart = GetTickCount();
    }
    if (m_bFrameworkIdlePending) {
        m_bFrameworkIdlePending = CRixWinApp::OnIdle(count) != 0;
        return TRUE;
    }
    if (count < 2)
        return TRUE;
    // Unsigned subtraction: right across the 49.7-day wrap of the tick count.
    return m_pWindowProgram->OnAppIdle(GetTickCount() - m_nIdleStart) != 0 ? TRUE : FALSE;
}

int CRixMFCApp::ExitInstance() {
    if (m_pWindowProgram != nullptr)
        m_pWindowProgram->OnAppExit();
    GetRixAppInstance().ShutdownGdiplus();
    if (m_bOleInitialized) {
        m_bOleInitialized = false;
        OleUninitialize();
    }
    return CRixWinApp::ExitInstance();
}
