// CRixAppInstance, the runtime instance: the one static object that exists before every other
// runtime object and is torn down after all of them. It holds the libraries loaded for the
// external function table, the current user application (the startup object, which it owns),
// the COM and GDI+ state, the module instance handle and the command line.
//
// The block pool itself stays with the memory manager (runtime/core/pool_mem.cpp), which
// sets it up before any other initialiser (see pool_mem.cpp); the instance is built right after it
// and, being destroyed in reverse order, runs its teardown just before the pool is released.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/rix_common_base.h"
#include "runtime/core/rix_mem.h"

class CRixUserApp;
class CWString;

class CRixAppInstance : public CRixCommonBase {
public:
    static constexpr int64_t kLibraryGrowthStep = 256;

    CRixAppInstance();
    CRixAppInstance(const CRixAppInstance&) = delete;
    CRixAppInstance& operator=(const CRixAppInstance&) = delete;

    // The virtual operations, in their slot order.
    //
    // The stored instance handle, or while that is null the program's own module.
    virtual HINSTANCE GetInstanceHandle();
    // Unused; kept for its slot.
    virtual void* GetReserved() { return nullptr; }
    // The resource loaders (instance_resources.cpp). Image kinds are ResourceImageKind values
    // (instance_resources.h); every failure gives null or 0 and leaves nothing allocated.
    //
    // A bitmap section, cursor, icon or image list from the program's resources; identifier 0
    // gives null. Pictures are raw-data resources holding an encoded image file.
    virtual HANDLE LoadResourceImage(int kind, int id);
    // The same from a file: cursors and icons as the platform loads them, pictures decoded.
    virtual HANDLE LoadFileImage(int kind, const WCHAR* path);
    // A bitmap section decoded from encoded image bytes.
    virtual HBITMAP LoadMemoryBitmap(const void* bytes, int64_t count);
    // The raw-data resource as UTF-16LE text (a leading byte-order mark skipped, up to the
    // first zero unit). 1 when the resource exists; otherwise 0 and the text is empty.
    virtual int LoadResourceText(int id, CWString& text);
    // The raw-data resource's bytes. 1 when it exists or the identifier is 0 (then the buffer
    // is empty); 0 when it is missing.
    virtual int LoadResourceData(int id, CRixMem& buffer);
    // The teardown: deletes the user application, frees the loaded libraries, balances COM,
    // stops GDI+ and deletes its lock.
    virtual ~CRixAppInstance();

    // Starts GDI+ under the GDI+ lock unless it runs. 1 when it runs, else 0.
    int EnsureGdiplus();
    // The full rectangle of the window's monitor; the primary screen at the origin for a null
    // window or when the monitor cannot be found (instance_screen.cpp).
    static RECT GetMonitorRect(HWND window);
    // The allocation base of the program's own code, or null.
    static void* GetModuleBase();

    CPoolMem& GetPool() { return ::GetMemManager(); }
    CRixMem& GetLoadedLibraries() { return m_LoadedLibraries; }

    CRixUserApp* GetCurrentUserApp() const { return m_pUserApp; }
    void SetCurrentUserApp(CRixUserApp* app) { m_pUserApp = app; }
    // Teardown step one on its own: DeleteThis on the user application, if any.
    void DeleteCurrentUserApp();

    void SetInstanceHandle(HINSTANCE instance) { m_hInstance = instance; }
    void SetArguments(int64_t count, WCHAR** vector) {
        m_nArgc = count;
        m_ppArgv = vector;
    }
    int64_t GetArgumentCount() const { return m_nArgc; }
    WCHAR** GetArguments() const { return m_ppArgv; }

    void SetComInitialized(bool initialized) { m_nComInitialized = initialized ? 1 : 0; }
    bool IsComInitialized() const { return m_nComInitialized == 1; }

    // GDI+ is started by the first image operation and may be stopped from the main thread
    // while a worker still looks at the token: both sides go through the lock.
    void SetGdiplusToken(ULONG_PTR token);
    ULONG_PTR GetGdiplusToken();
    // GdiplusShutdown when running, then the token is 0. Safe to call twice.
    void ShutdownGdiplus();

private:
    CRixMem m_LoadedLibraries{kLibraryGrowthStep}; // main thread only (start-up, teardown)
    CRixUserApp* m_pUserApp = nullptr;             // owned
    int64_t m_nComInitialized = 0;
    CRITICAL_SECTION m_GdiplusLock;
    ULONG_PTR m_nGdiplusToken = 0; // guarded by m_GdiplusLock
    HINSTANCE m_hInstance = nullptr;
    int64_t m_nArgc = 0;
    WCHAR** m_ppArgv = nullptr;
};

CRixAppInstance& GetRixAppInstance();
