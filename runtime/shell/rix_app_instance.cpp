// The runtime instance and its place in static initialisation and teardown.
#include "runtime/shell/rix_app_instance.h"

#include "runtime/shell/external_functions.h"
#include "runtime/shell/user_app.h"

CRixAppInstance::CRixAppInstance() {
    InitializeCriticalSection(&m_GdiplusLock);
}

CRixAppInstance::~CRixAppInstance() {
    DeleteCurrentUserApp();
    FreeLoadedLibraries(m_LoadedLibraries);
    if (m_nComInitialized == 1) {
        m_nComInitialized = 0;
        CoUninitialize();
    }
    ShutdownGdiplus();
    DeleteCriticalSection(&m_GdiplusLock);
}

HINSTANCE CRixAppInstance::GetInstanceHandle() {
    if (m_hInstance != nullptr)
        return m_hInstance;
    return static_cast<HINSTANCE>(GetModuleBase());
}

void CRixAppInstance::DeleteCurrentUserApp() {
    CRixUserApp* app = m_pUserApp;
    m_pUserApp = nullptr;
    if (app != nullptr)
        app->DeleteThis();
}

void CRixAppInstance::SetGdiplusToken(ULONG_PTR token) {
    EnterCriticalSection(&m_GdiplusLock);
    m_nGdiplusToken = token;
    LeaveCriticalSection(&m_GdiplusLock);
}

ULONG_PTR CRixAppInstance::GetGdiplusToken() {
    EnterCriticalSection(&m_GdiplusLock);
    ULONG_PTR token = m_nGdiplusToken;
    LeaveCriticalSection(&m_GdiplusLock);
    return token;
}

void CRixAppInstance::ShutdownGdiplus() {
    EnterCriticalSection(&m_GdiplusLock);
    if (m_nGdiplusToken != 0) {
        GdiplusShutdown(m_nGdiplusToken);
        m_nGdiplusToken = 0;
    }
    LeaveCriticalSection(&m_GdiplusLock);
}

// Built right after the block pool and before every other static object, so it is destroyed
// after all of them and just before the pool. GCC and Clang: priority 102, after the pool's
// 101. MSVC: the library segment, after the compiler segment that holds the pool's set-up.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)
#pragma init_seg(lib)
static CRixAppInstance g_RixAppInstance;
#else
__attribute__((init_priority(102))) static CRixAppInstance g_RixAppInstance;
#endif

CRixAppInstance& GetRixAppInstance() {
    return g_RixAppInstance;
}
